#include "PromptLexicon.h"

#include <QHash>
#include <QList>
#include <array>

namespace {

using Kind = PromptLexicon::Kind;
using Sense = PromptLexicon::Sense;
using Mood = PromptMeaning::Mood;
using Animal = PromptMeaning::Animal;
using Action = PromptMeaning::Action;
using Thing = PromptMeaning::Thing;

constexpr Sense mood(Mood value)
{
    return { Kind::Mood, int(value) };
}
constexpr Sense animal(Animal value)
{
    return { Kind::Animal, int(value) };
}
constexpr Sense action(Action value)
{
    return { Kind::Action, int(value) };
}
constexpr Sense thing(Thing value)
{
    return { Kind::Thing, int(value) };
}
constexpr Sense intensifier { Kind::Intensifier, 0 };
constexpr Sense negation { Kind::Negation, 0 };

// Synonyms separated by '|', all meaning the same one or two senses.
struct Entry {
    constexpr Entry(const char *words, Sense sense)
        : words(words)
        , senses { sense, sense }
        , count(1)
    {
    }
    constexpr Entry(const char *words, Sense first, Sense second)
        : words(words)
        , senses { first, second }
        , count(2)
    {
    }
    const char *words;
    std::array<Sense, 2> senses;
    int count;
};

const Entry wordEntries[] = {
    // Moods
    { "happy|happiness|glad|joy|joyful|joyous|cheerful|cheery|smile|smiley|grin|laugh|laughter|"
      "lol|lmao|rofl|haha|hahaha|hehe|hihi|yay|delighted|pleased|merry|jolly|good|great|nice|fun|"
      "funny|wonderful|lucky|positive|bright|blessed|glee|gleeful|upbeat",
        mood(Mood::Happy) },
    { "excited|excite|excitement|exciting|hype|hyped|thrilled|ecstatic|eager|pumped|energetic|"
      "amazing|awesome|yippee|woohoo|woo|hyper|wild|crazy|euphoric|overjoyed",
        mood(Mood::Excited) },
    { "love|lovely|lover|adore|adoration|affection|affectionate|crush|romance|romantic|valentine|"
      "sweetheart|darling|xoxo|luv|amor|beloved|smitten|loving",
        mood(Mood::Love) },
    { "shy|embarrassed|embarrassing|embarrassment|embarrass|blush|flustered|bashful|awkward|timid|"
      "coy|ashamed|shame",
        mood(Mood::Shy) },
    { "sad|sadness|unhappy|upset|down|depressed|depression|gloomy|lonely|alone|sorrow|sorrowful|"
      "miserable|heartbroken|disappointed|disappointment|melancholy|bummed|sympathy|sympathetic|"
      "condolence|condolences|grief|grieving|hopeless|homesick|rejected|broken|sadge",
        mood(Mood::Sad) },
    { "cry|crying|tear|tears|tearful|teary|sob|weep|wail|bawl|waah|huhu|weepy",
        mood(Mood::Crying) },
    { "angry|anger|mad|furious|fury|rage|raging|enraged|pissed|livid|hate|hatred|irate|hostile|"
      "enemy|enemies|rude|outraged|grr|fuming|seething|wrath",
        mood(Mood::Angry) },
    { "annoyed|annoying|annoy|irritated|irritating|dissatisfied|unimpressed|grumpy|bored|boring|"
      "ugh|frustrated|frustrating|frustration|exasperated|displeased|sulky|sulk|pout|pouty|jealous|"
      "envy|envious|tsk|cranky|moody|bothered",
        mood(Mood::Annoyed) },
    { "surprised|surprise|surprising|shocked|shock|shocking|amazed|astonished|wow|omg|whoa|woah|"
      "stunned|startled|gasp|speechless|unexpected|astounded",
        mood(Mood::Surprised) },
    { "scared|scary|afraid|fear|fearful|frightened|terrified|terror|horror|horrified|nervous|"
      "anxious|anxiety|worried|worry|panic|panicked|panicking|spooky|creepy|trembling|tremble|"
      "shaking|shaky|shiver|eek|yikes|nightmare|helpless|coward|uneasy",
        mood(Mood::Scared) },
    { "confused|confusing|confusion|puzzled|puzzling|lost|unsure|baffled|perplexed|huh|hmm|wat|"
      "clueless|dizzy|uncertain|weird|strange|odd|bewildered",
        mood(Mood::Confused) },
    { "doubt|doubtful|skeptical|sceptical|suspicious|suspect|sus|sideeye|judging|judge|judgy|"
      "judgemental|judgmental|disapproval|disapprove|distrust|unconvinced|dubious",
        mood(Mood::Doubtful) },
    { "sleepy|sleep|sleeping|asleep|tired|exhausted|drowsy|nap|snooze|zzz|zz|yawn|bedtime|bed|"
      "dream|dreaming|dreamy|rest|slumber|sleepyhead|fatigue|fatigued|weary|hibernate",
        mood(Mood::Sleepy) },
    { "pain|painful|hurt|ouch|ow|owie|injured|injury|sick|ill|suffering|suffer|headache|dead|dying|"
      "die|ache|sore|wounded|bleeding|agony",
        mood(Mood::Pain) },
    { "indifferent|indifference|meh|whatever|neutral|blank|apathetic|unbothered|ok|okay|"
      "nonchalant|bland",
        mood(Mood::Indifferent) },
    { "smug|mischievous|mischief|sly|cheeky|evil|devious|plotting|plot|scheming|scheme|smirk|"
      "lenny|troll|wicked|naughty|villain",
        mood(Mood::Smug) },
    { "cool|sunglasses|swag|swagger|badass|confident|confidence|boss|stylish|epic|rad|dope|slay",
        mood(Mood::Cool) },
    { "determined|determination|strong|strength|brave|courage|courageous|fierce|motivated|"
      "motivation|focus|focused|serious|ready|power|powerful|muscle|flex|gym|workout|exercise|"
      "training|tough|hero|heroic|ganbare|ganbatte",
        mood(Mood::Determined) },
    { "playful|wink|winky|flirty|flirt|tease|silly|goofy|joke|joking|kidding|prank|derp|tongue|"
      "bleh|blep",
        mood(Mood::Playful) },
    { "calm|peaceful|peace|relaxed|relax|chill|content|serene|cozy|cosy|comfy|zen|satisfied|fine|"
      "gentle|quiet|meditate|meditation|lazy|vacation|holiday|bath|spa|tranquil",
        mood(Mood::Calm) },
    { "cute|kawaii|adorable|sweet|uwu|owo|fluffy|innocent|tiny|smol|precious|baby|pretty|cutie|aww|"
      "aw|dainty|soft",
        mood(Mood::Cute) },

    // Animals
    { "cat|kitty|kitten|kitteh|neko|meow|nyan|nya|purr|feline|catgirl|tabby|moggy|pussycat|nyaa",
        animal(Animal::Cat) },
    { "bear|teddy|panda|kuma|grizzly|koala|teddybear", animal(Animal::Bear) },
    { "dog|puppy|pup|doggo|doge|doggy|doggie|inu|woof|bark|hound|pupper|corgi|shiba|husky|poodle|"
      "wolf",
        animal(Animal::Dog) },
    { "rabbit|bunny|hare|usagi|easter", animal(Animal::Rabbit) },
    { "pig|piggy|piglet|oink|boar|hog|swine|buta", animal(Animal::Pig) },
    { "bird|birdie|chick|chicken|parrot|penguin|owl|duck|duckling|tweet|sparrow|crow|pigeon|tori|"
      "robin|chirp|songbird|birb|hen|eagle|dove",
        animal(Animal::Bird) },
    { "fish|fishy|goldfish|sakana|salmon|tuna|shark|koi|carp", animal(Animal::Fish) },
    { "spider|arachnid|tarantula|spidey", animal(Animal::Spider) },

    // Actions
    { "run|running|runner|rush|hurry|fast|flee|escape|chase|race|jog|sprint|late|dash|zoom|zoomies|"
      "speed|speedy|runaway",
        action(Action::Running) },
    { "write|writing|wrote|written|writer|study|homework|work|worker|draw|essay|diary|journal|exam|"
      "school|office|busy",
        action(Action::Writing) },
    { "hide|hiding|hid|hidden|peek|peekaboo|lurk|lurker|sneak|sneaky|stalk|spy|behind|wall",
        action(Action::Hiding) },
    { "wave|waving|hello|hi|hey|hiya|greet|greeting|greetings|bye|goodbye|byebye|farewell|welcome|"
      "yo|howdy|ciao|ohayo|sup",
        action(Action::Waving) },
    { "hug|cuddle|cuddly|embrace|snuggle|comfort|squeeze|glomp", action(Action::Hugging) },
    { "dance|dancer|groove|boogie|disco|twerk|shuffle|rave", action(Action::Dancing) },
    { "sing|sang|singer|song|karaoke|hum|whistle|lala|lalala", action(Action::Singing) },
    { "tableflip|fliptable|flip", action(Action::TableFlip) },
    { "unflip", action(Action::TableUnflip) },
    { "magic|magical|spell|wizard|witch|wand|cast|fairy|enchant|enchanted|sorcery|sorcerer|mage|"
      "abracadabra|potion|summon|transform|transformation",
        action(Action::Magic) },
    { "eat|ate|hungry|starving|starve|yummy|yum|delicious|tasty|snack|lunch|dinner|breakfast|"
      "brunch|"
      "meal|nom|nomnom|munch|feast|chew|drool|hunger|famished",
        action(Action::Eating) },
    { "hangry", action(Action::Eating), mood(Mood::Angry) },
    { "kiss|smooch|mwah|muah|chu|kissy", action(Action::Kissing) },
    { "fight|fighter|punch|boxing|boxer|battle|attack|kick|combat|brawl|duel|karate|kungfu",
        action(Action::Fighting) },
    { "cheer|celebrate|celebration|party|hooray|hurray|yahoo|victory|win|winner|won|congrats|"
      "congratulations|anniversary|success|champion|festival|fiesta|banzai|yatta",
        action(Action::Cheering) },
    { "birthday|bday", action(Action::Cheering), thing(Thing::Cake) },
    { "think|thought|wonder|ponder|idea|curious|curiosity|consider|imagine|daydream",
        action(Action::Thinking) },
    { "shrug|dunno|idk|welp", action(Action::Shrugging) },
    { "sorry|apologize|apologise|apology|apologies|bow|please|forgive|forgiveness|gomen|gomenasai|"
      "pardon|oops",
        action(Action::Bowing) },
    { "thanks|thank|thankyou|thx|grateful|gratitude|arigato|arigatou", action(Action::Bowing),
        mood(Mood::Happy) },
    { "jump|hop|bounce|bouncy|leap", action(Action::Jumping) },
    { "fly|flew|flap|soar|wing|wings", action(Action::Flying) },
    { "swim|swam|dive|splash|ocean|sea|water|beach|pool", action(Action::Swimming) },
    { "walk|stroll|wander|march|hike|travel|trip|adventure", action(Action::Walking) },
    { "point|blame", action(Action::Pointing) },
    { "salute|respect|respectful|sir|roger|aye|captain|soldier|yessir", action(Action::Saluting) },
    { "game|gaming|gamer|videogame|controller|console|nintendo|playstation|xbox|arcade",
        action(Action::Gaming) },

    // Things
    { "music|musical|melody|tune|headphones|concert|band|guitar|piano|jazz|playlist|radio|beat|"
      "rhythm|dj",
        thing(Thing::Music) },
    { "food|foods|hotdog", thing(Thing::Food) },
    { "burger|hamburger|cheeseburger|fries|fastfood", thing(Thing::Burger) },
    { "pizza", thing(Thing::Pizza) },
    { "cake|cupcake|dessert|pie|pudding|cheesecake", thing(Thing::Cake) },
    { "sushi|sashimi", thing(Thing::Sushi) },
    { "noodle|noodles|ramen|udon|soba|soup|pasta|spaghetti", thing(Thing::Noodles) },
    { "rice|onigiri|riceball|bento|curry", thing(Thing::Rice) },
    { "icecream|gelato|sundae|popsicle", thing(Thing::IceCream) },
    { "cookie|biscuit", thing(Thing::Cookie) },
    { "candy|sweets|lollipop|sugar|dango", thing(Thing::Candy) },
    { "donut|doughnut", thing(Thing::Donut) },
    { "fruit|apple|strawberry|banana|cherry|peach|grape|watermelon|lemon|melon",
        thing(Thing::Fruit) },
    { "bread|toast|croissant|sandwich|baguette|bagel", thing(Thing::Bread) },
    { "chocolate|choco|cocoa", thing(Thing::Chocolate) },
    { "coffee|latte|espresso|cappuccino|cafe|caffeine", thing(Thing::Coffee) },
    { "tea|matcha|chai|teatime", thing(Thing::Tea) },
    { "beer|drunk|pub|booze|sake", thing(Thing::Beer) },
    { "cheers", thing(Thing::Beer), action(Action::Cheering) },
    { "wine|champagne|cocktail|drink", thing(Thing::Wine) },
    { "flower|blossom|rose|sakura|bloom|garden|spring|tulip|daisy|petal|bouquet|floral",
        thing(Thing::Flower) },
    { "star|starry|twinkle|galaxy|space|cosmic|astronaut", thing(Thing::Star) },
    { "sun|sunny|sunshine|summer|sunlight|sunrise|daytime", thing(Thing::Sun) },
    { "morning", thing(Thing::Sun), action(Action::Waving) },
    { "moon|night|nighttime|midnight|moonlight|lunar|evening", thing(Thing::Moon) },
    { "goodnight|nite", thing(Thing::Moon), mood(Mood::Sleepy) },
    { "snow|snowy|snowman|snowflake|winter|cold|freezing|frozen|ice|icy|brr|chilly",
        thing(Thing::Snow) },
    { "rain|rainy|umbrella|storm|stormy|thunder|cloudy|cloud|weather|drizzle", thing(Thing::Rain) },
    { "fire|hot|burn|burning|flame|lit|spicy|blaze|flaming", thing(Thing::Fire) },
    { "heart", thing(Thing::Heart) },
    { "money|cash|rich|dollar|pay|payday|salary|gold|coin|wealth|bank|shopping|shop",
        thing(Thing::Money) },
    { "gift|present|presents", thing(Thing::Gift) },
    { "book|read|reading|reader|library|novel|manga|comic|story", thing(Thing::Book) },
    { "letter|mail|email|message|envelope|postcard", thing(Thing::Letter) },
    { "phone|call|smartphone|texting|mobile", thing(Thing::Phone) },
    { "computer|laptop|code|coding|coder|programming|programmer|developer|keyboard|typing|pc|"
      "hacker|hacking|software|tech|internet",
        thing(Thing::Computer) },
    { "ball|soccer|football|basketball|baseball|tennis|sport|volleyball", thing(Thing::Ball) },
    { "balloon", thing(Thing::Balloon) },
    { "camera|photo|picture|selfie|photograph|photography", thing(Thing::Camera) },
    { "crown|king|queen|royal|princess|prince|royalty|majesty", thing(Thing::Crown) },
    { "ghost|boo", thing(Thing::Ghost) },
    { "pumpkin|halloween|jackolantern", thing(Thing::Pumpkin) },
    { "tree|christmas|xmas|forest|nature|pine", thing(Thing::Tree) },
    { "sweat|sweaty|phew|whew|drip", thing(Thing::Sweat) },
    { "gun|shoot|rifle|pistol|sniper|bang|pew", thing(Thing::Gun) },
    { "sword|blade|knife|katana|samurai|ninja|knight|slash", thing(Thing::Sword) },
    { "sparkle|sparkly|shine|shiny|glitter|glittery|glow|bling|glam", thing(Thing::Sparkles) },

    // Words that shape the others
    { "very|so|super|really|extremely|totally|too|mega|ultra|absolutely|incredibly|insanely|much|"
      "utterly|completely|max|extra|double|most",
        intensifier },
    { "not|no|never|dont|doesnt|didnt|isnt|arent|wasnt|werent|aint|cant|cannot|wont|without|"
      "hardly|barely|nor",
        negation },
};

const Entry phraseEntries[] = {
    { "table flip|flip table|flipping table|rage quit", action(Action::TableFlip) },
    { "table unflip|unflip table|fix table|table back", action(Action::TableUnflip) },
    { "ice cream", thing(Thing::IceCream) },
    { "high five|hi five", action(Action::Cheering) },
    { "good night", thing(Thing::Moon), mood(Mood::Sleepy) },
    { "good morning", thing(Thing::Sun), action(Action::Waving) },
    { "side eye", mood(Mood::Doubtful) },
    { "starry eyed|star eyed", mood(Mood::Excited) },
    { "kung fu", action(Action::Fighting) },
    { "fed up", mood(Mood::Annoyed) },
    { "freak out|freaked out|freaking out", mood(Mood::Scared) },
    { "chill out|calm down", mood(Mood::Calm) },
    { "cheer up", mood(Mood::Happy) },
    { "shooting star", thing(Thing::Star) },
    { "no idea|not sure|no clue", mood(Mood::Confused) },
    { "oh no", mood(Mood::Scared) },
    { "give up", mood(Mood::Indifferent) },
    { "hot dog", thing(Thing::Food) },
    { "video game|video games", action(Action::Gaming) },
    { "falling asleep|fall asleep|in bed", mood(Mood::Sleepy) },
    { "thank you", action(Action::Bowing), mood(Mood::Happy) },
    { "bear hug", action(Action::Hugging), animal(Animal::Bear) },
};

const Entry emoticonEntries[] = {
    { ":)|:-)|(:|:]|=)|^^|^_^|^.^|c:|(^_^)|(^^)", mood(Mood::Happy) },
    { ":d|:-d|xd|x-d", mood(Mood::Excited) },
    { ":(|:-(|):|=(|:[", mood(Mood::Sad) },
    { ":'(|;(|t_t|tt|t.t|;_;|qq", mood(Mood::Crying) },
    { ">:(|>:[|>:-(|d:<", mood(Mood::Angry) },
    { "<3|<333", mood(Mood::Love) },
    { ":o|:-o|o_o|o.o|o_0|0_o|:0", mood(Mood::Surprised) },
    { ";)|;-)|:p|:-p|;p|;d", mood(Mood::Playful) },
    { "-_-|-.-|-__-", mood(Mood::Annoyed) },
    { ":/|:-/|:\\|?_?|o_o?", mood(Mood::Confused) },
    { ">_<|>.<|x_x|x.x", mood(Mood::Pain) },
    { "b)|8)|8-)|b-)", mood(Mood::Cool) },
};

struct EmojiEntry {
    char32_t codePoint;
    Sense sense;
};

const EmojiEntry emojiEntries[] = {
    { U'😊', mood(Mood::Happy) },
    { U'😀', mood(Mood::Happy) },
    { U'😄', mood(Mood::Happy) },
    { U'😁', mood(Mood::Happy) },
    { U'🙂', mood(Mood::Happy) },
    { U'😆', mood(Mood::Excited) },
    { U'🤩', mood(Mood::Excited) },
    { U'🎉', action(Action::Cheering) },
    { U'😍', mood(Mood::Love) },
    { U'🥰', mood(Mood::Love) },
    { U'😘', action(Action::Kissing) },
    { U'❤', mood(Mood::Love) },
    { U'♡', mood(Mood::Love) },
    { U'♥', mood(Mood::Love) },
    { U'💕', mood(Mood::Love) },
    { U'💖', mood(Mood::Love) },
    { U'😳', mood(Mood::Shy) },
    { U'😢', mood(Mood::Crying) },
    { U'😭', mood(Mood::Crying) },
    { U'😞', mood(Mood::Sad) },
    { U'😔', mood(Mood::Sad) },
    { U'☹', mood(Mood::Sad) },
    { U'😡', mood(Mood::Angry) },
    { U'😠', mood(Mood::Angry) },
    { U'💢', mood(Mood::Angry) },
    { U'😒', mood(Mood::Annoyed) },
    { U'😑', mood(Mood::Annoyed) },
    { U'😮', mood(Mood::Surprised) },
    { U'😲', mood(Mood::Surprised) },
    { U'😱', mood(Mood::Scared) },
    { U'😨', mood(Mood::Scared) },
    { U'😕', mood(Mood::Confused) },
    { U'🤔', action(Action::Thinking) },
    { U'😴', mood(Mood::Sleepy) },
    { U'💤', mood(Mood::Sleepy) },
    { U'😏', mood(Mood::Smug) },
    { U'😎', mood(Mood::Cool) },
    { U'😉', mood(Mood::Playful) },
    { U'😜', mood(Mood::Playful) },
    { U'🐱', animal(Animal::Cat) },
    { U'🐈', animal(Animal::Cat) },
    { U'😺', animal(Animal::Cat) },
    { U'🐻', animal(Animal::Bear) },
    { U'🐼', animal(Animal::Bear) },
    { U'🧸', animal(Animal::Bear) },
    { U'🐶', animal(Animal::Dog) },
    { U'🐕', animal(Animal::Dog) },
    { U'🐰', animal(Animal::Rabbit) },
    { U'🐇', animal(Animal::Rabbit) },
    { U'🐷', animal(Animal::Pig) },
    { U'🐖', animal(Animal::Pig) },
    { U'🐦', animal(Animal::Bird) },
    { U'🐤', animal(Animal::Bird) },
    { U'🐧', animal(Animal::Bird) },
    { U'🐟', animal(Animal::Fish) },
    { U'🐠', animal(Animal::Fish) },
    { U'🕷', animal(Animal::Spider) },
    { U'🎵', thing(Thing::Music) },
    { U'🎶', thing(Thing::Music) },
    { U'🍕', thing(Thing::Pizza) },
    { U'🍔', thing(Thing::Burger) },
    { U'🍰', thing(Thing::Cake) },
    { U'☕', thing(Thing::Coffee) },
    { U'🌸', thing(Thing::Flower) },
    { U'⭐', thing(Thing::Star) },
    { U'✨', thing(Thing::Sparkles) },
    { U'🔥', thing(Thing::Fire) },
};

using SenseTable = QHash<QString, QList<Sense>>;

SenseTable buildTable(std::span<const Entry> entries)
{
    SenseTable table;
    for (const Entry &entry : entries) {
        const QStringList words = QString::fromUtf8(entry.words).split(u'|');
        for (const QString &word : words) {
            QList<Sense> &senses = table[word];
            for (int i = 0; i < entry.count; ++i)
                senses.append(entry.senses[size_t(i)]);
        }
    }
    return table;
}

std::span<const Sense> find(const SenseTable &table, const QString &key)
{
    const auto it = table.constFind(key);
    if (it == table.constEnd())
        return {};
    return { it->constData(), size_t(it->size()) };
}

} // namespace

std::span<const Sense> PromptLexicon::senses(const QString &word)
{
    static const SenseTable table = buildTable(wordEntries);
    return find(table, word);
}

std::span<const Sense> PromptLexicon::phraseSenses(const QString &first, const QString &second)
{
    static const SenseTable table = buildTable(phraseEntries);
    return find(table, first + u' ' + second);
}

std::span<const Sense> PromptLexicon::emoticonSenses(const QString &token)
{
    static const SenseTable table = buildTable(emoticonEntries);
    return find(table, token.toLower());
}

std::span<const Sense> PromptLexicon::emojiSenses(char32_t codePoint)
{
    static const QHash<char32_t, QList<Sense>> table = [] {
        QHash<char32_t, QList<Sense>> built;
        for (const EmojiEntry &entry : emojiEntries)
            built[entry.codePoint].append(entry.sense);
        return built;
    }();
    const auto it = table.constFind(codePoint);
    if (it == table.constEnd())
        return {};
    return { it->constData(), size_t(it->size()) };
}

bool PromptLexicon::isFiller(const QString &word)
{
    static const QStringList fillers = QString::fromUtf8("the|a|an|my|your|his|her|their|our|its|"
                                                         "some|this|that|of|at|on|over")
                                           .split(u'|');
    return fillers.contains(word);
}
