#pragma once

#include "PromptMeaning.h"

#include <span>

// The pieces faces are built from, grouped by what they express. All texts are UTF-8.
// A face reads, left to right:
//   decorations, outer left arm, frame open, inner left arm, left cheek, left eye, mouth,
//   right eye, right cheek, inner right arm, frame close, outer right arm, decorations.
struct FaceParts {
    // Two texts placed on either side of something: eyes, cheeks, decorations.
    struct Pair {
        const char *left;
        const char *right;
    };

    struct Frame {
        const char *open;
        const char *close;
        bool roomForArms; // false when the frame already has paws or ears at its edges
    };

    struct Arms {
        const char *outerLeft;
        const char *innerLeft;
        const char *innerRight;
        const char *outerRight;
    };

    struct MoodStyle {
        std::span<const Pair> eyes;
        std::span<const char *const> mouths;
        std::span<const Pair> cheeks;
        std::span<const Arms> arms;
        std::span<const Pair> decorations;
        // 100 for moods whose decoration is their mark (zzZ for sleepy, hearts for love).
        int decorationPercent;
    };

    struct AnimalStyle {
        std::span<const Frame> frames;
        // The animal's own mouths (ω, ᴥ, (oo)); empty when the mood's mouth is used.
        std::span<const char *const> mouths;
        // The animal's resting eyes, used when the prompt names no mood.
        std::span<const Pair> eyes;
        std::span<const Arms> paws;
        bool cheeks;
        // Spiders have many eyes: how often each eye is drawn twice.
        int doubledEyesPercent;
    };

    struct ActionStyle {
        std::span<const Arms> arms;
        // Arms for an intense prompt ("very angry table flip"); empty: the usual arms.
        std::span<const Arms> intenseArms;
        std::span<const Pair> decorations;
        int decorationPercent;
        // Used instead of the mood's mouth most of the time (eating, kissing, singing).
        std::span<const char *const> mouths;
        // Used only when the prompt names no mood (bowing looks down).
        std::span<const Pair> eyes;
        PromptMeaning::Mood mood; // the mood when the prompt names none
    };

    struct ThingStyle {
        std::span<const char *const> glyphs;
        bool held; // held out in a hand ("っ🍕") rather than floating beside the face
    };

    struct FishStyle {
        std::span<const char *const> heads; // left of the eye, fish facing left
        std::span<const char *const> scales; // one body segment, repeated
        std::span<const char *const> tails;
        std::span<const Pair> water;
    };

    static const MoodStyle &mood(PromptMeaning::Mood mood);
    static const AnimalStyle &animal(PromptMeaning::Animal animal);
    static const ActionStyle &action(PromptMeaning::Action action);
    static const ThingStyle &thing(PromptMeaning::Thing thing);
    static const FishStyle &fish();
    static std::span<const Frame> humanFrames();
    // Arms that hold something out to the right: "っ", "つ".
    static std::span<const Arms> holdingArms();
};
