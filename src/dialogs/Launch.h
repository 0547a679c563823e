#pragma once
#include <QDialog>
#include <functional>
#include <memory>

#include "automation/GameRegistry.h"
#include "automation/Launcher.h"

class QLabel;

// "Launch Program...": a strip of six pictures that start the installed games or open two web
// sites. It lives for the whole run and is shown beside the main window.
class TfrmLaunch : public QDialog
{
    Q_OBJECT
public:
    static constexpr int FormWidth = 563, FormHeight = 55;

    // `gameServer` gives the server to point a game at, or "" when the game's list stays as it is.
    TfrmLaunch(std::unique_ptr<tGameRegistry> registry, tLauncher::Starter start,
               std::function<QString()> gameServer, QWidget *parent = nullptr);

    // Starts programs through wine (or natively) in their own folder and opens addresses through
    // the desktop; `report` hears when a program needs Wine and there is none.
    static tLauncher::Starter DesktopStarter(tLauncher::Reporter report = {});
    // One picture, drawn for the given size and device pixel ratio.
    static QPixmap DrawPicture(LaunchTarget t, QSize size, qreal dpr);

    tLauncher &Launcher() { return m_launcher; }
    QLabel *Picture(LaunchTarget t) const { return m_pictures[int(t)]; }
    // What a click on a picture does.
    void Click(LaunchTarget t);
    // Shows the window centred on its parent.
    void ShowLauncher();

    QLabel *imDiablo = nullptr, *imStarcraft = nullptr, *imBroodwar = nullptr, *imWarcraft = nullptr,
           *imBattlenet = nullptr, *imBlizzard = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void paintPictures();

    std::unique_ptr<tGameRegistry> m_registry;
    tLauncher m_launcher;
    std::function<QString()> m_gameServer;
    QLabel *m_pictures[6] = {};
};
