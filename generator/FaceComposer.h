#pragma once

#include "PromptMeaning.h"

#include <QString>
#include <mutex>
#include <random>

// Invents a kaomoji for a prompt: reads the prompt's moods, animals, actions and things and
// draws a face from parts that fit them, choosing among the fitting parts at random. One
// composer may be shared by many threads. Two composers made with the same seed give the same
// faces for the same sequence of prompts.
class FaceComposer {
public:
    static constexpr int shortestFace = 3;
    static constexpr int longestFace = 60;

    // Seeded from the system's randomness: faces differ from run to run.
    FaceComposer();
    explicit FaceComposer(quint64 seed);

    QString compose(const QString &prompt);
    QString compose(const PromptMeaning &meaning);

    // Well-formed Unicode without control or unassigned characters, 3 to 60 code points.
    static bool isWellFormedFace(const QString &face);

private:
    std::mutex m_mutex;
    std::mt19937_64 m_random;
};
