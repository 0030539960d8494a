#pragma once

#include <QCoreApplication>

namespace photara::test {

// Runs the event loop until done() or a bounded number of rounds; whether done() came.
template <typename Done>
bool spinUntil(Done done) {
    for (int round = 0; round < 200000 && !done(); ++round) QCoreApplication::processEvents();
    return done();
}

}  // namespace photara::test
