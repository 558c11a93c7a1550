// CAboutDlg: the About box (dialog 100): icon, version line, notices, and buttons that open the program's web pages.
#pragma once

#include <QDialog>

constexpr const char* kReleaseTitle = "The Domizens Reshaper Release 1.3";

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // The web page buttons: control id, caption, shortcut title and page.
    struct WebButton {
        int id;
        const char* caption;
        const char* title;
        const char* url;
    };
    static const WebButton kWebButtons[5];
};
