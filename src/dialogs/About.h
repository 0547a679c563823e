#pragma once
#include <QDialog>

// "About QuorlChat": the program's name and the version it was built as.
class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);
    // "Version " followed by the build's version.
    static QString VersionLine();
};
