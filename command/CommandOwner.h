#pragma once

// Which target on the command route answers a command, both its state and its execution:
// the view in front, its ledger, the main frame or the application.
enum class ECommandOwner {
    None,
    View,
    Document,
    Frame,
    App,
};
