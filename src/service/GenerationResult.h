#pragma once

#include "GenerationError.h"

#include <QString>
#include <variant>

// The outcome of one generation: either the generated face or the error that stopped it.
class GenerationResult final {
public:
    static GenerationResult success(QString face) { return GenerationResult(std::move(face)); }
    static GenerationResult failure(GenerationError error)
    {
        return GenerationResult(std::move(error));
    }

    bool isSuccess() const { return std::holds_alternative<QString>(m_value); }
    // The face as the service sent it; empty for a failure.
    QString face() const { return isSuccess() ? std::get<QString>(m_value) : QString(); }
    // A default (empty) error for a success.
    GenerationError error() const
    {
        return isSuccess() ? GenerationError() : std::get<GenerationError>(m_value);
    }

private:
    explicit GenerationResult(std::variant<QString, GenerationError> value)
        : m_value(std::move(value))
    {
    }

    std::variant<QString, GenerationError> m_value;
};
