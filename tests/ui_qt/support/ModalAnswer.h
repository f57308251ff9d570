// Answers the next modal window (a message box or a dialog) that a handler opens: `answer`
// runs on it once it is shown, and must close it.
#pragma once

#include <QWidget>

#include <functional>

void AnswerNextModal(std::function<void(QWidget& modal)> answer);
