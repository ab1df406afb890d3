// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PresetMenu.h"

#include <QComboBox>

namespace brelin::presetmenu {

int presetItemCount(const QComboBox* popup)
{
    int n = 0;
    while (n < popup->count() && popup->itemData(n).typeId() == QMetaType::Int)
        ++n;
    return n;
}

int tagAt(const QComboBox* popup, int index)
{
    const QVariant data = popup->itemData(index);
    return index >= 0 && data.typeId() == QMetaType::Int ? data.toInt() : -1;
}

int indexOfPreset(const QComboBox* popup, const QString& title)
{
    const int n = presetItemCount(popup);
    for (int i = 0; i < n; ++i)
        if (popup->itemText(i) == title)
            return i;
    return -1;
}

void insertPreset(QComboBox* popup, const QString& title, int position)
{
    popup->insertItem(position, title, position);
    popup->setCurrentIndex(position);
}

void removePreset(QComboBox* popup, const QString& title)
{
    const int index = indexOfPreset(popup, title);
    if (index < 0)
        return;
    popup->removeItem(index);
    const int n = presetItemCount(popup);
    for (int i = index; i < n; ++i)
        popup->setItemData(i, i);
}

void renamePreset(QComboBox* popup, const QString& from, const QString& to)
{
    const int index = indexOfPreset(popup, from);
    if (index >= 0)
        popup->setItemText(index, to);
}

} // namespace brelin::presetmenu
