#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal window that `accepts` (by default: any that is not `skip`) as soon as it
// is the active modal widget and the active window, from the event loop that runs it.
inline void whenModal(std::function<bool(QWidget *)> accepts, std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, accepts, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !accepts(modal) || !modal->isActiveWindow())
            return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

template <class Window>
void whenModal(std::function<void(Window *)> answer)
{
    whenModal([](QWidget *w) { return qobject_cast<Window *>(w) != nullptr; },
              [answer](QWidget *w) { answer(qobject_cast<Window *>(w)); });
}
