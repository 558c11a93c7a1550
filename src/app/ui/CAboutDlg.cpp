// CAboutDlg: the About box and its web page buttons.
#include "app/ui/CAboutDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/WebPage.h"
#include "app/ui/ProgramPictures.h"

const CAboutDlg::WebButton CAboutDlg::kWebButtons[5] = {
    {1108, "Visit the Reshaper Home Page", "The Domizens Reshaper Home Page", "https://reshaper.domizens.example/"},
    {1106, "Read the Online Documentation", "The Domizens Reshaper Online Documentation",
     "https://reshaper.domizens.example/documentation/"},
    {1105, "Download the Latest Version", "The Domizens Reshaper Download Page",
     "https://reshaper.domizens.example/download/"},
    {1109, "Get your own Magic Cookie", "The Domizens Reshaper Magic Cookie Registry",
     "https://reshaper.domizens.example/cookies/"},
    {1110, "Report Bugs and Request Features", "The Domizens Reshaper Bug Reports and Feature Requests",
     "https://reshaper.domizens.example/bugs/"},
};

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("About The Domizens Reshaper"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(ProgramPicture(kProgramIconPicture)));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* version = new QLabel(this);
    version->setObjectName(QStringLiteral("1121"));
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);

    auto* notices = new QLabel(this);
    notices->setWordWrap(true);
    notices->setText(QStringLiteral(
        "A workbench for the object files of \"The Domizens\": clone, export, import, edit and view objects.\n\n"
        "Make backup copies of your object files before you change them. Give every object you make your own "
        "magic cookie, so that its GUIDs never clash with anyone else's.\n\n"
        "This program is not made or supported by the makers of the game."));

    auto* buttons = new QVBoxLayout;
    for (const WebButton& b : kWebButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
        button->setObjectName(QString::number(b.id));
        button->setAutoDefault(false);
        const WebButton* which = &b;
        connect(button, &QPushButton::clicked, this, [which] { OpenWebPage(which->title, which->url); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(ok);

    auto* text = new QVBoxLayout;
    text->addWidget(version);
    text->addWidget(notices, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(text, 1);
    layout->addLayout(buttons);
    resize(620, 250);

    // The version line is set as the box opens.
    version->setText(QString::fromUtf8(kReleaseTitle));
}
