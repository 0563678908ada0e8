#pragma once

namespace zef {

// SIGINT and SIGTERM ask a running export to stop: the handler only notes the signal, and
// the export ends after the frame in hand with nothing half-written.
void CatchStopSignals();
// The stop signal noted last, 0 for none.
int CaughtStopSignal();

}  // namespace zef
