#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Answers the next modal dialog of type T once it is up, the way a user would. A dialog that
// does not appear in time fails the test, and whatever modal widget is up then is closed, so a
// broken test fails instead of hanging.
template <typename T> void whenModal(std::function<void(T*)> answer, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, deadline] {
        if (auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            QWidget* other = QApplication::activeModalWidget();
            ADD_FAILURE() << "the expected dialog did not appear; up instead: "
                          << (other ? other->metaObject()->className() : "nothing");
            if (other) {
                other->close();
            }
        }
    });
    timer->start(10);
}
