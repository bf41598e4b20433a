// SPDX-License-Identifier: GPL-3.0-or-later
#include "quillmap/leveltextsdialog.h"

#include "quillmap/difficulty.h"
#include "quillmap/editorstate.h"
#include "resources/quillmap/windows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace quillmap {

using namespace quillmapresources;

LevelTextsDialog::LevelTextsDialog(const dialogkit::DialogTemplate &dialogTemplate, QWidget *parent)
    : Dialog(dialogTemplate, parent), m_difficultyList(GetDlgItem<QComboBox>(DifficultyCombo))
{
    setCommandHandler(LevelInfoOkButton, &LevelTextsDialog::OnConfirm);
    bindText(AuthorEdit, m_author);
    bindText(NameEdit, m_name);
    bindText(VictoryMessageEdit, m_victoryMessage);

    for (int id : {AuthorEdit, NameEdit}) {
        if (auto *edit = GetDlgItem<QLineEdit>(id))
            edit->setMaxLength(MaxLevelTextLength);
    }
    // A plain-text edit has no length limit of its own: cut whatever typing or pasting adds.
    if (auto *message = GetDlgItem<QPlainTextEdit>(VictoryMessageEdit)) {
        connect(message, &QPlainTextEdit::textChanged, message, [message] {
            if (message->toPlainText().size() <= MaxLevelTextLength)
                return;
            QTextCursor cut(message->document());
            cut.setPosition(MaxLevelTextLength);
            cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cut.removeSelectedText();
            message->moveCursor(QTextCursor::End);
        });
    }
}

leveldata::LevelInfo LevelTextsDialog::levelInfo() const
{
    return {m_author.toStdString(), m_name.toStdString(), m_difficulty.toStdString(), m_victoryMessage.toStdString()};
}

void LevelTextsDialog::setLevelInfo(const leveldata::LevelInfo &info)
{
    m_author = QString::fromStdString(info.author);
    m_name = QString::fromStdString(info.name);
    m_difficulty = QString::fromStdString(info.difficulty);
    m_victoryMessage = QString::fromStdString(info.victoryMessage);
}

void LevelTextsDialog::OnConfirm()
{
    int selected = GetComboSelection(DifficultyCombo);
    if (selected < 0) {
        const QString typed = GetDlgItemText(DifficultyCombo);
        if (const auto entry = difficultyIndex(typed.toStdString())) {
            SetComboSelection(DifficultyCombo, *entry);
            selected = *entry;
        }
    }
    if (selected >= 0)
        m_difficulty = m_difficultyList->itemText(selected);
    Dialog::OnOK();
}

} // namespace quillmap
