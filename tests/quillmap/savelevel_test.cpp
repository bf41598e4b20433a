// SPDX-License-Identifier: GPL-3.0-or-later
// Save level: the save checks, the save dialog and what a save writes.

#include "tests/quillmap/editorwindowtest.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>

using namespace editortesting;
using namespace quillmapresources;
using namespace windowtesting;

class SaveLevelTest : public EditorWindowTest
{
    Q_OBJECT

private slots:
    // A level of walls made with keys; the cursor ends on cell 17.
    void save_data()
    {
        QTest::addColumn<QString>("keys"); // digits, and R for the right arrow
        QTest::addColumn<QString>("name"); // typed into the save dialog; empty: cancelled
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("dialogs"); // save dialogs shown
        QTest::newRow("items and places differ: says so, no save dialog")
            << "2R5"
            << "" << QStringList{QString::fromUtf8(ItemCountMessage)} << 0;
        QTest::newRow("save dialog cancelled") << "2R4"
                                               << "" << QStringList() << 1;
        QTest::newRow("save failed: says so")
            << "2R4"
            << "missing/level.lay" << QStringList{QString::fromUtf8(SaveFailedMessage)} << 1;
        QTest::newRow("saved in a Cyrillic folder, with the suffix")
            << "2R4"
            << "Уровни Пети/склад у реки" << QStringList() << 1;
    }
    void save()
    {
        QFETCH(QString, keys);
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        QFETCH(int, dialogs);
        const bool saved = !name.isEmpty() && messages.isEmpty();
        QVERIFY(QDir().mkdir(QStringLiteral("Уровни Пети")));
        Editor e({name.isEmpty() ? name : m_dir->filePath(name)});
        e.run([&] {
            for (QChar key : keys)
                press(&e.window, key == 'R' ? Qt::Key_Right : Qt::Key(key.unicode()));
            click(e.window, SaveLevelButton);
            // Drawn again: the cursor is seen until a save writes the brush in its place.
            QCOMPARE(shownPicture(e.window, cellControlId(17)), int(saved ? FloorPicture : CursorPicture));
        });
        QCOMPARE(e.messages.texts, messages);
        QCOMPARE(e.files.titles, QStringList(dialogs, QStringLiteral("Сохранение Уровня")));
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList());
        QCOMPARE(entriesOf(QStringLiteral("Уровни Пети")),
                 saved ? QStringList{QStringLiteral("склад у реки.lay")} : QStringList());
    }

    // Opened, drawn again and saved, an item and the player on their places keep them.
    void placesUnderItemsAndThePlayer()
    {
        const std::filesystem::path given =
            writeLevelFile(m_dir->filePath("given.lay"), testsupport::levelFromArt({"#####", "#*p$#", "#####"}));
        Editor e({m_dir->filePath("saved.lay")});
        e.window.setStartFile(given);
        e.run([&] {
            QTRY_COMPARE(shownPicture(e.window, cellControlId(16)), int(ItemOnPlacePicture));
            QCOMPARE(shownPicture(e.window, cellControlId(17)), int(PlayerOnPlacePicture));
            click(e.window, RefreshButton);
            QCOMPARE(shownPicture(e.window, cellControlId(18)), int(ItemPicture));
            click(e.window, SaveLevelButton);
        });
        QCOMPARE(e.messages.texts, QStringList());
        QCOMPARE(testsupport::fileBytes(QFile::encodeName(m_dir->filePath("saved.lay")).toStdString()),
                 testsupport::fileBytes(given));
    }
};

QTEST_MAIN(SaveLevelTest)
#include "savelevel_test.moc"
