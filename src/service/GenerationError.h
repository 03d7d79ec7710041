#pragma once

#include <QString>

// Why a generation failed. Errors of the network or JSON layers keep that layer's own
// domain, code and wording; the client's own errors use the domain "AIKaomojiGenerator".
// The message is what the picker shows to the user.
struct GenerationError {
    QString domain;
    int code = 0;
    QString message;

    friend bool operator==(const GenerationError &, const GenerationError &) = default;
};
