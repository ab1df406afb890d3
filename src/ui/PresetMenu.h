// SPDX-License-Identifier: GPL-3.0-or-later
// The preset pop-up of the main window: one item per preset, its tag (item data) the
// preset's position in the list, then a separator and the "Save Preset…" and
// "Manage Presets…" items.
#pragma once

#include <QString>

class QComboBox;

namespace brelin::presetmenu {

// Item data of the two items behind the presets.
inline constexpr const char* kSaveItem = "save";
inline constexpr const char* kManageItem = "manage";

// Number of preset items (those before the separator).
int presetItemCount(const QComboBox* popup);
// The tag of the item at `index`, or -1 when it is not a preset item.
int tagAt(const QComboBox* popup, int index);
// Index of the first preset item titled `title`, or -1.
int indexOfPreset(const QComboBox* popup, const QString& title);
// Inserts a preset item with tag `position` at that index and selects it.
void insertPreset(QComboBox* popup, const QString& title, int position);
// Removes the first preset item titled `title`; the tags of the items behind follow.
void removePreset(QComboBox* popup, const QString& title);
// Gives the preset item titled `from` the title `to`.
void renamePreset(QComboBox* popup, const QString& from, const QString& to);

} // namespace brelin::presetmenu
