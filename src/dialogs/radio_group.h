// A titled group of radio buttons read and set by item index, as a stored choice is: an index
// no item has shows no button checked and reads back as -1.
#pragma once

#include <QGroupBox>
#include <span>
#include <string_view>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // The items top to bottom, in `columns` columns filled in turn.
    TRadioGroup(const QString& title, std::span<const std::string_view> items, QWidget* parent = nullptr,
                int columns = 1);

    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;
    int Count() const;

signals:
    // The user chose an item.
    void Clicked();

private:
    QButtonGroup* buttons_;
};
