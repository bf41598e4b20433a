// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/windowtesting/windowtesting.h"

#include "dialogkit/picturecontrol.h"
#include "dialogkit/picturestore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace windowtesting {

void setUp(const QString &applicationName)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication::setApplicationName(applicationName);
}

void checkNoWindowLeaked()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList leaked = QApplication::topLevelWidgets();
    for (QWidget *w : leaked)
        qWarning() << "leaked top-level window" << w;
    QVERIFY(leaked.isEmpty());
}

ModalWatch::ModalWatch(std::function<bool(QWidget *)> accepts, std::function<void(QWidget *)> answer)
{
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, [this, accepts, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isActiveWindow() || !accepts(modal)
            || std::find(m_answered.begin(), m_answered.end(), modal) != m_answered.end())
            return;
        m_answered.emplace_back(modal);
        answer(modal);
    });
    m_timer.start();
}

MessageWatch::MessageWatch(QMessageBox::StandardButton button)
    : WatchFor<QMessageBox>([this, button](QMessageBox *box) {
          texts << box->text();
          box->button(button)->click();
      })
{ }

FileDialogWatch::FileDialogWatch(QStringList names)
    : WatchFor<QFileDialog>([this](QFileDialog *dialog) {
          titles << dialog->windowTitle();
          filters << dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
          folders << dialog->directory().absolutePath();
          // Typed in, and answered queued: selectFile would hang.
          const QString name = m_names.isEmpty() ? QString() : m_names.takeFirst();
          dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
          QMetaObject::invokeMethod(dialog, name.isEmpty() ? "reject" : "accept", Qt::QueuedConnection);
      }),
      m_names(std::move(names))
{ }

int runWindow(dialogkit::Dialog &window, const std::function<void()> &body)
{
    // Parented to the window, so it goes with it even when the window never shows.
    auto *poll = new QTimer(&window);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, body] {
        if (QApplication::activeModalWidget() != &window)
            return;
        if (!window.isActiveWindow()) { // offscreen nobody gives it back the keyboard a box took
            window.activateWindow();
            return;
        }
        poll->stop();
        body();
        if (window.isVisible())
            window.EndDialog(EndedByTest);
    });
    poll->start();
    return window.DoModal();
}

void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    activate(window);
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : window, key, modifiers);
    if (window->isVisible())
        activate(window);
}

QString chooseLastPopupItem()
{
    const auto popup = [] { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); };
    if (!QTest::qWaitFor([&popup] { return popup() != nullptr; }))
        return {};
    QMenu *menu = popup();
    QAction *last = menu->actions().last();
    const QString text = last->text();
    menu->setActiveAction(last);
    QTest::keyClick(menu, Qt::Key_Return);
    return QTest::qWaitFor([&popup] { return popup() == nullptr; }) ? text : QString();
}

int shownPicture(const dialogkit::Dialog &dialog, int controlId)
{
    const QPixmap &shown = dialog.GetDlgItem<dialogkit::PictureControl>(controlId)->picture();
    if (shown.isNull())
        return 0;
    // The programs' picture ids are all in this range.
    for (int id = 100; id < 200 && dialog.pictures(); ++id) {
        if (shown.cacheKey() == dialog.pictures()->picture(id, dialog.devicePixelRatioF()).cacheKey())
            return id;
    }
    return -1;
}

leveldata::Board shownBoard(const dialogkit::Dialog &dialog,
                            const dialogkit::BoardView::CellControlIdFunction &cellControlId,
                            const dialogkit::BoardView::TileImageFunction &tileImage)
{
    leveldata::Board board;
    for (leveldata::CellIndex i = 0; i < leveldata::CellCount; ++i) {
        const int picture = shownPicture(dialog, cellControlId(i));
        board[i] = -1;
        for (leveldata::TileCode code = leveldata::Wall; code <= leveldata::Cursor; ++code) {
            if (picture > 0 && tileImage(code) == picture)
                board[i] = code;
        }
    }
    return board;
}

ScratchFolder::ScratchFolder() : m_previous(QDir::currentPath())
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

ScratchFolder::~ScratchFolder()
{
    QDir::setCurrent(m_previous);
}

} // namespace windowtesting
