// About box: product, version and a notice against unauthorised copying.
#include "app/about_box.h"

#include "app/logo_form.h"
#include "app/tool_icons.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About ORV");
    setFixedSize(340, 395);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* icon = new QLabel(panel);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* product = new QLabel("ORV", panel);
    product->setFont(QFont("DejaVu Sans", 20, QFont::Bold));
    auto* line1 = new QLabel("Zidevid Phase Monitor", panel);
    auto* line2 = new QLabel("with Power Measurement", panel);
    auto* picture = new QLabel(panel);
    picture->setPixmap(WaveformPicture(290, 60));
    LabelVersion = new QLabel(kVersionText, panel);
    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    head->addWidget(product);
    head->addStretch();
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(head);
    panelLayout->addWidget(line1);
    panelLayout->addWidget(line2);
    panelLayout->addWidget(picture);
    panelLayout->addWidget(LabelVersion);

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);

    auto* legal = new QLabel(
        "This program is protected by copyright law and international treaties.\n\n"
        "Unauthorised reproduction or distribution of this program, or of any part of it, "
        "may result in civil and criminal penalties and will be prosecuted to the maximum "
        "extent possible under the law.",
        this);
    legal->setWordWrap(true);
    legal->setFont(QFont("Arial", 7));
    legal->setAutoFillBackground(true);
    QPalette pal = legal->palette();
    pal.setColor(QPalette::Window, Qt::white);
    legal->setPalette(pal);
    legal->setMargin(6);

    auto* BtnOk = new QPushButton("&OK", this);
    BtnOk->setDefault(true);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(bevel);
    layout->addWidget(legal);
    layout->addWidget(BtnOk, 0, Qt::AlignCenter);
}
