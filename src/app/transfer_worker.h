// Runs a blocking transfer on a worker thread while the calling (user-interface) thread keeps its
// window alive.
//
// The FTP session blocks inside libcurl for as long as a server takes to answer, and libcurl calls back
// only about once a second while it waits. On a thread of its own the transfer can block as it likes:
// what it tells its sink is handed to the window on the calling thread, which meanwhile lets the
// window's events through every few milliseconds, so the window repaints at once, also while a server
// stalls.
#pragma once

#include <functional>

#include "platform/progress_sink.h"

// Runs `work` with a sink whose calls reach `sink` on the calling thread, in order, and returns when
// the work has ended (an exception it throws is thrown here). A cancel request of `sink` reaches the
// work's sink. With a null `sink` the work runs directly, with none. The work must not touch what the
// calling thread may change in the meantime: give it copies.
void RunTransferWorker(CProgressSink* sink, const std::function<void(CProgressSink*)>& work);
