#pragma once

class AppLifecycle;
class Clipboard;
class MainQueue;
class Paster;
class PointerCursor;
class UrlOpener;

// Everything the window reaches of the desktop, so tests can record what was asked.
struct PlatformServices {
    Clipboard &clipboard;
    UrlOpener &urlOpener;
    PointerCursor &pointerCursor;
    AppLifecycle &appLifecycle;
    MainQueue &mainQueue;
    Paster &paster;
};
