#pragma once

#include <QList>

// What a prompt asks for, in the words the face composer understands: moods, animals,
// actions and things, each in the order the prompt names them.
struct PromptMeaning {
    enum class Mood {
        Neutral,
        Happy,
        Excited,
        Love,
        Shy,
        Sad,
        Crying,
        Angry,
        Annoyed,
        Surprised,
        Scared,
        Confused,
        Doubtful,
        Sleepy,
        Pain,
        Indifferent,
        Smug,
        Cool,
        Determined,
        Playful,
        Calm,
        Cute,
    };

    enum class Animal { Cat, Bear, Dog, Rabbit, Pig, Bird, Fish, Spider };

    enum class Action {
        Running,
        Writing,
        Hiding,
        Waving,
        Hugging,
        Dancing,
        Singing,
        TableFlip,
        TableUnflip,
        Magic,
        Eating,
        Kissing,
        Fighting,
        Cheering,
        Thinking,
        Shrugging,
        Bowing,
        Jumping,
        Flying,
        Swimming,
        Walking,
        Pointing,
        Saluting,
        Gaming,
    };

    enum class Thing {
        Music,
        Food,
        Burger,
        Pizza,
        Cake,
        Sushi,
        Noodles,
        Rice,
        IceCream,
        Cookie,
        Candy,
        Donut,
        Fruit,
        Bread,
        Chocolate,
        Coffee,
        Tea,
        Beer,
        Wine,
        Flower,
        Star,
        Sun,
        Moon,
        Snow,
        Rain,
        Fire,
        Heart,
        Money,
        Gift,
        Book,
        Letter,
        Phone,
        Computer,
        Ball,
        Balloon,
        Camera,
        Crown,
        Ghost,
        Pumpkin,
        Tree,
        Sweat,
        Gun,
        Sword,
        Sparkles,
    };

    QList<Mood> moods;
    QList<Animal> animals;
    QList<Action> actions;
    QList<Thing> things;
    // Words like "very" and shouted words raise it; the composer adds flourish.
    int intensity = 0;

    bool isEmpty() const
    {
        return moods.isEmpty() && animals.isEmpty() && actions.isEmpty() && things.isEmpty();
    }
};
