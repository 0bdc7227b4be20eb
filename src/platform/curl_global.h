// libcurl's process-wide set-up, shared by the URL splitting of the platform and the transfers.
#pragma once

// Initialises libcurl once for the process (thread-safe).
void EnsureCurlInitialised();
