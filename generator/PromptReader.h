#pragma once

#include "PromptMeaning.h"

#include <QString>
#include <QStringList>

// Turns a prompt into what it asks for. Knows words (with their plural, -ing, -ed and -ly
// forms and stretched spellings like "happyyy"), a few two-word phrases, ASCII emoticons,
// emoji, negation ("not happy") and intensifiers ("very", "!!", shouted words).
// Anything it does not recognise is ignored, so an unknown prompt reads as empty.
class PromptReader {
public:
    static PromptMeaning read(const QString &prompt);

    // The forms under which a lowercase word is looked up, most literal first.
    static QStringList wordForms(const QString &word);
};
