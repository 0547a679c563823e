#include <QApplication>

#include "profile/Profile.h"
#include "ui/ChatForm.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuorlChat"));
    // The one live profile of the process; everything that needs it gets it by reference.
    tProfile profile;
    TfrmChat window(profile);
    window.CreatePermanentWindows();
    window.show();
    const int result = app.exec();
    window.ReleaseProfile();
    return result;
}
