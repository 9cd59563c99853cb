// Radio group.
#include "dialogs/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

TRadioGroup::TRadioGroup(const QString& title, std::span<const std::string_view> items, QWidget* parent, int columns)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(1);
    const int count = static_cast<int>(items.size());
    const int rows = (count + std::max(1, columns) - 1) / std::max(1, columns);
    for (int i = 0; i < count; ++i) {
        const std::string_view item = items[static_cast<std::size_t>(i)];
        auto* radio = new QRadioButton(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())), this);
        buttons_->addButton(radio, i);
        grid->addWidget(radio, i % rows, i / rows);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, [this] { emit Clicked(); });
}

int TRadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked: it lets go only while not exclusive.
    buttons_->setExclusive(false);
    for (QAbstractButton* button : buttons_->buttons()) button->setChecked(false);
    buttons_->setExclusive(true);
}

QRadioButton* TRadioGroup::Item(int index) const { return qobject_cast<QRadioButton*>(buttons_->button(index)); }

int TRadioGroup::Count() const { return static_cast<int>(buttons_->buttons().size()); }
