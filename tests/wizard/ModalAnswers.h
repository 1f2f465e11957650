#pragma once
// Answers the modal windows that the code under test opens, one action per
// window in order, from the event loop of that window's exec(). Whatever
// is left unanswered when the object ends is a test failure.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>

namespace fwtest {

class ModalAnswers {
public:
    using Action = std::function<void(QWidget* modal)>;

    explicit ModalAnswers(std::deque<Action> actions) : m_actions(std::move(actions)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }
    ~ModalAnswers() { EXPECT_TRUE(m_actions.empty()) << m_actions.size() << " modal window(s) never opened"; }
    ModalAnswers(const ModalAnswers&) = delete;
    ModalAnswers& operator=(const ModalAnswers&) = delete;

    // The modal windows answered so far.
    int Answered() const { return m_answered; }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_last || m_actions.empty()) return;
        m_last = modal;
        Action action = std::move(m_actions.front());
        m_actions.pop_front();
        ++m_answered;
        action(modal);
    }

    std::deque<Action> m_actions;
    QPointer<QWidget> m_last;
    QTimer m_timer;
    int m_answered = 0;
};

}  // namespace fwtest
