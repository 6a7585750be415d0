#pragma once

#include <QSignalTransition>

#include <functional>

// A signal transition that is taken only when its guard also agrees.
class GuardedTransition : public QSignalTransition {
public:
    using Guard = std::function<bool()>;

    template <typename Signal>
    GuardedTransition(const typename QtPrivate::FunctionPointer<Signal>::Object* sender, Signal signal,
                      Guard guard, QState* source = nullptr)
        : QSignalTransition(sender, signal, source)
        , guard(std::move(guard))
    {
    }

    Guard guard;

protected:
    bool eventTest(QEvent* event) override;
};
