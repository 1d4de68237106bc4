#pragma once

// Turns SIGTERM, SIGINT and SIGHUP into an orderly quit of the event loop,
// so that queued preference writes reach the disk at logout.
namespace UnixSignals {
void quitOnTermination();
}
