import Pelmora

// The root that the app loads, with the window's state as its `view`.
KaomojiWindow {}
