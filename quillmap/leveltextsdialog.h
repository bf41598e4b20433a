// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogkit/dialog.h"
#include "leveldata/levelfile.h"

#include <QString>
#include <QWidget>

class QComboBox;

namespace quillmap {

// What the new-level dialog and the level-information dialog share: the same layout (author,
// name, difficulty drop-down with the seven entries, victory message, button 1189), the same
// members, and the same confirmation. Each edit box takes at most quillmap::MaxLevelTextLength
// characters, so every text written comes back whole from a file.
//
// Button 1189 confirms: m_difficulty := the text of the selected entry (with none selected, a
// text typed into the drop-down that equals an entry selects that entry; any other text keeps
// m_difficulty), the edit boxes' texts go into their members, and the dialog ends with IdOk.
// Enter does nothing.
class LevelTextsDialog : public dialogkit::Dialog
{
    Q_OBJECT
public:
    // The four members as a level's texts (UTF-8), and back.
    leveldata::LevelInfo levelInfo() const;
    void setLevelInfo(const leveldata::LevelInfo &info);

protected:
    // `dialogTemplate` is template 135 or 139.
    LevelTextsDialog(const dialogkit::DialogTemplate &dialogTemplate, QWidget *parent);

    void OnOK() override { } // Enter never closes these dialogs

    QComboBox *m_difficultyList = nullptr; // control 1187, owned by the dialog
    QString m_author;                      // edit 1185
    QString m_name;                        // edit 1186
    QString m_victoryMessage;              // edit 1188
    QString m_difficulty;                  // the text of a difficulty entry, or what it was

private:
    void OnConfirm();
};

} // namespace quillmap
