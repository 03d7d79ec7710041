#include "FaceComposer.h"

#include "FaceParts.h"
#include "FaceSketch.h"
#include "PromptReader.h"

#include <QRandomGenerator>
#include <algorithm>
#include <vector>

namespace {

using Mood = PromptMeaning::Mood;
using Animal = PromptMeaning::Animal;
using Pair = FaceParts::Pair;
using Arms = FaceParts::Arms;

// Used only if a drawn face ever failed its own checks, so a reply always has a face.
const char *const fallbackFace = "(•ᴗ•)";

const char *const restingFishEyes[] = { "°", "º", "•", "'" };

// The composer's random choices. All of them go through the one engine, in a fixed order, so a
// seed fixes every face.
class Dice {
public:
    explicit Dice(std::mt19937_64 &engine)
        : m_engine(engine)
    {
    }

    size_t below(size_t count) { return count <= 1 ? 0 : size_t(m_engine() % count); }
    bool percent(int chance) { return chance >= 100 || int(m_engine() % 100) < chance; }

    template <typename T> const T &pick(std::span<const T> choices)
    {
        return choices[below(choices.size())];
    }

    QString pickText(std::span<const char *const> choices)
    {
        return QString::fromUtf8(choices[below(choices.size())]);
    }

private:
    std::mt19937_64 &m_engine;
};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void setArms(FaceSketch &sketch, const Arms &arms)
{
    sketch.outerLeftArm = text(arms.outerLeft);
    sketch.innerLeftArm = text(arms.innerLeft);
    sketch.innerRightArm = text(arms.innerRight);
    sketch.outerRightArm = text(arms.outerRight);
}

void addDecoration(FaceSketch &sketch, const Pair &decoration)
{
    if (*decoration.left)
        sketch.before.append(text(decoration.left));
    if (*decoration.right)
        sketch.after.append(text(decoration.right));
}

// The mood the face shows: the first one named, else the one the first action implies.
Mood leadingMood(const PromptMeaning &meaning)
{
    if (!meaning.moods.isEmpty())
        return meaning.moods.first();
    if (!meaning.actions.isEmpty())
        return FaceParts::action(meaning.actions.first()).mood;
    return Mood::Neutral;
}

// Things beside the face; a held thing goes into a hand after the right arm.
void addThings(
    FaceSketch &sketch, const QList<PromptMeaning::Thing> &things, Dice &dice, bool canHold)
{
    const qsizetype count = std::min<qsizetype>(things.size(), 2);
    for (qsizetype i = 0; i < count; ++i) {
        const FaceParts::ThingStyle &thing = FaceParts::thing(things[i]);
        const QString glyph = dice.pickText(thing.glyphs);
        if (thing.held && canHold && sketch.held.isEmpty()) {
            if (sketch.outerRightArm.isEmpty())
                sketch.outerRightArm = text(dice.pick(FaceParts::holdingArms()).outerRight);
            sketch.held = glyph;
        } else if (dice.percent(30)) {
            sketch.before.append(glyph);
        } else {
            sketch.after.append(u' ' + glyph);
        }
    }
}

// Every further mood adds its own mark: "sleepy love" gets hearts as well as zzZ.
void addFurtherMoods(FaceSketch &sketch, const PromptMeaning &meaning, Dice &dice)
{
    for (qsizetype i = 1; i < std::min<qsizetype>(meaning.moods.size(), 3); ++i)
        addDecoration(sketch, dice.pick(FaceParts::mood(meaning.moods[i]).decorations));
}

void addMoodDecorations(
    FaceSketch &sketch, const FaceParts::MoodStyle &mood, int intensity, Dice &dice)
{
    if (dice.percent(mood.decorationPercent))
        addDecoration(sketch, dice.pick(mood.decorations));
    // An intense prompt gets one more flourish.
    if (intensity > 0)
        addDecoration(sketch, dice.pick(mood.decorations));
}

FaceSketch drawFish(const PromptMeaning &meaning, Dice &dice)
{
    const FaceParts::FishStyle &fish = FaceParts::fish();
    const Mood mood = leadingMood(meaning);
    const FaceParts::MoodStyle &moodStyle = FaceParts::mood(mood);
    const QString eye = mood == Mood::Neutral ? dice.pickText(restingFishEyes)
                                              : text(dice.pick(moodStyle.eyes).left);
    const int length = 3 + int(dice.below(3));
    FaceSketch sketch;
    if (dice.percent(60)) {
        const QString scale = dice.pickText(fish.scales);
        sketch.body =
            dice.pickText(fish.heads) + eye + scale.repeated(length) + dice.pickText(fish.tails);
    } else {
        // Facing right: the tail comes first and the scales open the other way.
        sketch.body = (dice.percent(50) ? QStringLiteral("><") : QStringLiteral("彡"))
            + QStringLiteral("(").repeated(length) + eye + u'>';
    }
    addDecoration(sketch, dice.pick(fish.water));
    addMoodDecorations(sketch, moodStyle, meaning.intensity, dice);
    if (!meaning.actions.isEmpty()) {
        const FaceParts::ActionStyle &action = FaceParts::action(meaning.actions.first());
        if (!action.decorations.empty() && dice.percent(action.decorationPercent))
            addDecoration(sketch, dice.pick(action.decorations));
    }
    addFurtherMoods(sketch, meaning, dice);
    addThings(sketch, meaning.things, dice, false);
    return sketch;
}

// The frame: an action that moves the arms needs one with room for them.
FaceParts::Frame chooseFrame(std::span<const FaceParts::Frame> frames, bool needsArms, Dice &dice)
{
    std::vector<FaceParts::Frame> usable;
    for (const FaceParts::Frame &frame : frames) {
        if (!needsArms || frame.roomForArms)
            usable.push_back(frame);
    }
    if (usable.empty())
        usable.assign(frames.begin(), frames.end());
    return dice.pick(std::span<const FaceParts::Frame>(usable));
}

// The parts of a face drawn for one prompt: what the prompt names, looked up once.
struct FacePlan {
    explicit FacePlan(const PromptMeaning &meaning)
        : meaning(meaning)
        , moodNamed(!meaning.moods.isEmpty())
        , mood(leadingMood(meaning))
        , moodStyle(FaceParts::mood(mood))
        , animal(meaning.animals.isEmpty() ? nullptr : &FaceParts::animal(meaning.animals[0]))
        , action(meaning.actions.isEmpty() ? nullptr : &FaceParts::action(meaning.actions[0]))
    {
    }

    const PromptMeaning &meaning;
    bool moodNamed;
    Mood mood;
    const FaceParts::MoodStyle &moodStyle;
    const FaceParts::AnimalStyle *animal;
    const FaceParts::ActionStyle *action;
};

// Eyes: an action's own look (bowing looks down) unless a mood is named; an animal's resting
// eyes when there is no mood at all; else the mood's.
void drawEyes(FaceSketch &sketch, const FacePlan &plan, Dice &dice)
{
    Pair eyes;
    if (plan.action != nullptr && !plan.action->eyes.empty() && !plan.moodNamed)
        eyes = dice.pick(plan.action->eyes);
    else if (plan.animal != nullptr && !plan.animal->eyes.empty() && plan.mood == Mood::Neutral)
        eyes = dice.pick(plan.animal->eyes);
    else
        eyes = dice.pick(plan.moodStyle.eyes);
    sketch.leftEye = text(eyes.left);
    sketch.rightEye = text(eyes.right);
    if (plan.animal != nullptr && dice.percent(plan.animal->doubledEyesPercent)) {
        sketch.leftEye = sketch.leftEye.repeated(2);
        sketch.rightEye = sketch.rightEye.repeated(2);
    }
}

// Mouth: an animal keeps its own (ω, ᴥ, (oo)); eating or singing usually shows in the mouth.
void drawMouth(FaceSketch &sketch, const FacePlan &plan, Dice &dice)
{
    if (plan.animal != nullptr && !plan.animal->mouths.empty())
        sketch.mouth = dice.pickText(plan.animal->mouths);
    else if (plan.action != nullptr && !plan.action->mouths.empty()
        && (!plan.moodNamed || dice.percent(70)))
        sketch.mouth = dice.pickText(plan.action->mouths);
    else
        sketch.mouth = dice.pickText(plan.moodStyle.mouths);
    if (!sketch.mouth.trimmed().isEmpty() && dice.percent(12))
        sketch.gap = QStringLiteral(" ");

    if (plan.animal == nullptr || plan.animal->cheeks) {
        const Pair &cheeks = dice.pick(plan.moodStyle.cheeks);
        sketch.leftCheek = text(cheeks.left);
        sketch.rightCheek = text(cheeks.right);
    }
}

// Arms: the action's when it has any, now and then an animal's paws, else the mood's.
void drawArms(FaceSketch &sketch, const FacePlan &plan, bool roomForArms, Dice &dice)
{
    if (plan.action != nullptr && !plan.action->arms.empty()) {
        const bool intense = plan.meaning.intensity > 0 && !plan.action->intenseArms.empty();
        setArms(sketch, dice.pick(intense ? plan.action->intenseArms : plan.action->arms));
    } else if (plan.animal != nullptr && !plan.animal->paws.empty() && roomForArms
        && dice.percent(35)) {
        setArms(sketch, dice.pick(plan.animal->paws));
    } else if (roomForArms) {
        setArms(sketch, dice.pick(plan.moodStyle.arms));
    }
}

// Decorations nearest the face first: the action's (a wall to hide behind, dust when running),
// then the mood's, then the things, then any further actions and moods.
void decorate(FaceSketch &sketch, const FacePlan &plan, Dice &dice)
{
    const PromptMeaning &meaning = plan.meaning;
    if (plan.action != nullptr && !plan.action->decorations.empty()
        && dice.percent(plan.action->decorationPercent)) {
        addDecoration(sketch, dice.pick(plan.action->decorations));
        if (meaning.actions[0] == PromptMeaning::Action::Hiding && plan.animal == nullptr) {
            // The wall takes the place of the face's left edge.
            sketch.open.clear();
            sketch.outerLeftArm.clear();
            sketch.innerLeftArm.clear();
        }
    }
    addMoodDecorations(sketch, plan.moodStyle, meaning.intensity, dice);
    QList<PromptMeaning::Thing> things = meaning.things;
    // Eating without saying what: something to eat all the same.
    if (things.isEmpty() && meaning.actions.contains(PromptMeaning::Action::Eating)
        && dice.percent(70))
        things.append(PromptMeaning::Thing::Food);
    addThings(sketch, things, dice, true);
    for (qsizetype i = 1; i < std::min<qsizetype>(meaning.actions.size(), 3); ++i) {
        const FaceParts::ActionStyle &further = FaceParts::action(meaning.actions[i]);
        if (!further.decorations.empty())
            addDecoration(sketch, dice.pick(further.decorations));
    }
    addFurtherMoods(sketch, meaning, dice);
}

FaceSketch drawFace(const PromptMeaning &meaning, Dice &dice)
{
    const FacePlan plan(meaning);
    const FaceParts::Frame frame =
        chooseFrame(plan.animal == nullptr ? FaceParts::humanFrames() : plan.animal->frames,
            plan.action != nullptr, dice);
    FaceSketch sketch;
    sketch.open = text(frame.open);
    sketch.close = text(frame.close);
    drawEyes(sketch, plan, dice);
    drawMouth(sketch, plan, dice);
    drawArms(sketch, plan, frame.roomForArms, dice);
    decorate(sketch, plan, dice);
    return sketch;
}

} // namespace

FaceComposer::FaceComposer()
    : m_random(QRandomGenerator::system()->generate64())
{
}

FaceComposer::FaceComposer(quint64 seed)
    : m_random(seed)
{
}

QString FaceComposer::compose(const QString &prompt)
{
    return compose(PromptReader::read(prompt));
}

QString FaceComposer::compose(const PromptMeaning &meaning)
{
    FaceSketch sketch;
    {
        const std::lock_guard lock(m_mutex);
        Dice dice(m_random);
        const bool fish = !meaning.animals.isEmpty() && meaning.animals.first() == Animal::Fish;
        sketch = fish ? drawFish(meaning, dice) : drawFace(meaning, dice);
    }
    if (!sketch.fitWithin(longestFace))
        return QString::fromUtf8(fallbackFace);
    const QString face = sketch.text();
    return isWellFormedFace(face) ? face : QString::fromUtf8(fallbackFace);
}

bool FaceComposer::isWellFormedFace(const QString &face)
{
    const int length = FaceSketch::codePointCount(face);
    if (length < shortestFace || length > longestFace)
        return false;
    const QList<uint> codePoints = face.toUcs4();
    return std::none_of(codePoints.begin(), codePoints.end(), [](uint codePoint) {
        const QChar::Category category = QChar::category(char32_t(codePoint));
        return category == QChar::Other_Control || category == QChar::Other_Surrogate
            || category == QChar::Other_NotAssigned || codePoint == 0xFFFD;
    });
}
