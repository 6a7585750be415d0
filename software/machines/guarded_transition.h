#pragma once

#include <QSignalTransition>

// A signal transition that is taken only when its guard also agrees.
class GuardedTransition : public QSignalTransition {
public:
    using Guard = bool (*)();

    template <typename Signal>
    GuardedTransition(const typename QtPrivate::FunctionPointer<Signal>::Object* sender, Signal signal,
                      Guard guard, QState* source = nullptr)
        : QSignalTransition(sender, signal, source)
        , guard(guard)
    {
    }

    Guard guard;

protected:
    bool eventTest(QEvent* event) override;
};
