// Splash window.
#include "app/logo_form.h"

#include "app/tool_icons.h"
#include "platform/prog_dirs.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TLogoForm::TLogoForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(320, 210);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    // A frame of its own: the splash stands over the white client area of the main window.
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet("TLogoForm { background: white; border: 1px solid #808080; }");

    auto* picture = new QLabel(this);
    picture->setPixmap(WaveformPicture(300, 70));
    auto* product = new QLabel("ORV", this);
    QFont big("DejaVu Sans", 28, QFont::Bold);
    product->setFont(big);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* line1 = new QLabel("Zidevid Phase Monitor", this);
    auto* line2 = new QLabel("with Power Measurement", this);
    QFont bold("DejaVu Sans", 10, QFont::Bold);
    line1->setFont(bold);
    line2->setFont(bold);
    LabelVersion = new QLabel(this);

    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    head->addWidget(product);
    head->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(head);
    layout->addWidget(line1);
    layout->addWidget(line2);
    layout->addWidget(LabelVersion);
    layout->addWidget(picture);

    Timer1.setInterval(2000);
    Timer1.setSingleShot(false);
    connect(&Timer1, &QTimer::timeout, this, &TLogoForm::Timer1Timer);
    FormCreate();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TLogoForm::FormCreate()
{
    LabelVersion->setText(kVersionText);
    InitProgDir();
    Timer1.start();
}

void TLogoForm::Timer1Timer()
{
    Timer1.stop();
    if (OnSplashEnd) OnSplashEnd();
    hide();
    deleteLater();
}
