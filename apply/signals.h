// The signals an apply answers. A hang-up, an interrupt or a termination
// request reverts what is not yet kept; a second zlapply's confirmation
// arrives as SIGUSR1. Handlers only note the signal and wake the waiting
// loop through a pipe, so that the logic runs outside them.
#pragma once

namespace apply {

/// Installs the handlers (once) and ignores SIGPIPE, so that a closed
/// terminal or pipe cannot end a rollback half way.
void catch_signals();

/// The name of the first hang-up, interrupt or termination signal caught
/// ("SIGHUP"), or null.
const char* termination_signal();

/// Readable whenever a signal has been caught since it was last drained.
int signal_pipe();
void drain_signal_pipe();

/// The signal a confirming zlapply sends to the waiting one.
int confirm_signal();

}  // namespace apply
