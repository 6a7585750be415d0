#include "machines/guarded_transition.h"

bool GuardedTransition::eventTest(QEvent* event)
{
    // The guard reads the worker's state, so it is asked only about the expected signal.
    return QSignalTransition::eventTest(event) && guard();
}
