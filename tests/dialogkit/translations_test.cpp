#include "dialogkit/appsupport.h"
#include "dialogkit/messagebox.h"
#include "tests/windowtesting/windowtesting.h"

#include <QAbstractButton>
#include <QLocale>
#include <QTest>

// Runs with LANG=ru_RU.UTF-8: the standard buttons come from Qt's own Russian translation.
class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { windowtesting::checkNoWindowLeaked(); }

    void standardButtonsSpeakTheSystemLanguage()
    {
        QCOMPARE(QLocale::system().language(), QLocale::Russian);
        QVERIFY(dialogkit::installQtTranslations());
        QStringList texts;
        windowtesting::WatchFor<QMessageBox> answer([&texts](QMessageBox *box) {
            for (QAbstractButton *button : box->buttons())
                texts << button->text().remove(QLatin1Char('&'));
            box->button(QMessageBox::Cancel)->click();
        });
        QCOMPARE(dialogkit::messageBox(nullptr, QStringLiteral("Выйти?"), dialogkit::MessageButtons::OkCancel),
                 dialogkit::IdCancel);
        texts.sort();
        QCOMPARE(texts, (QStringList{QStringLiteral("OK"), QStringLiteral("Отмена")}));
    }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
