#include "tests/ui_qt/support/ModalAnswer.h"

#include <QApplication>
#include <QTimer>

void AnswerNextModal(std::function<void(QWidget& modal)> answer)
{
    auto* poll = new QTimer(QCoreApplication::instance());
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer(*modal);
    });
    poll->start();
}
