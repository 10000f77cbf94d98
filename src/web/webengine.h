#pragma once

// Readies the process for the web engine; called before the first page
// view is made. The engine's sandbox refuses to start for the root user
// (as on build machines), and then every page would fail, so for root
// alone the sandbox is turned off.
void prepareWebEngine();
