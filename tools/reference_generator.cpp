#include "tools/reference_generator.h"

#include <cstddef>
#include <iterator>
#include <string>

#include "store/reference.h"

namespace {

// SplitMix64: small, fast and the same everywhere (the standard distributions are not).
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number from `low` to `high`, both included.
    int Between(int low, int high)
    {
        return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1));
    }

    bool Chance(int percent) { return Between(1, 100) <= percent; }

    template <typename T, std::size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Next() % N];
    }

private:
    uint64_t state_;
};

// Code page 1252 texts: accented family names are written with their byte values.
const char* const kFamilyNames[] = {
    "Smith", "Jones", "Brown", "Taylor", "Wilson", "Davies", "Evans", "Thomas", "Johnson",
    "Roberts", "Walker", "Wright", "Robinson", "Thompson", "White", "Hughes", "Edwards",
    "Green", "Hall", "Wood", "Harris", "Martin", "Jackson", "Clarke", "Clark", "Turner",
    "Hill", "Scott", "Cooper", "Morris", "Ward", "Moore", "King", "Watson", "Baker", "Harrison",
    "Morgan", "Patel", "Young", "Allen", "Mitchell", "James", "Anderson", "Phillips", "Lee",
    "Bell", "Parker", "Davis", "Kelly", "Miller", "Schmidt", "Schneider", "Fischer", "Weber",
    "Meyer", "Wagner", "Becker", "Schulz", "Hoffmann", "Koch", "Richter", "Klein", "Wolf",
    ("Schr\xF6" "der"), "Neumann", "Schwarz", "Zimmermann", "Braun", "Kr\xFCger", "Hofmann",
    "M\xFCller", ("G\xF6" "del"), ("B\xE4" "cker"), "Ha\xDF", "Wei\xDF", "Martin", "Bernard",
    "Dubois", "Thomas", "Robert", "Richard", "Petit", "Durand", "Leroy", "Moreau", "Simon",
    "Laurent", "Lef\xE8vre", ("Lef\xE9" "bvre"), "Fran\xE7ois", "Gar\xE7on", "Rossi", "Russo",
    "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo", "Ricci", "Marino", "Greco",
    ("Garc\xED" "a"), "Fern\xE1ndez", "Gonz\xE1lez", "Rodr\xEDguez", "L\xF3pez", "Mart\xEDnez",
    "S\xE1nchez", "P\xE9rez", ("N\xFA\xF1" "ez"), "Jim\xE9nez", "Silva", "Santos", "Oliveira",
    "Souza", "Pereira", "Costa", "Carvalho", "Almeida", "Jansen", "de Vries", "van den Berg",
    "van Dijk", "Bakker", "Visser", "Smit", "Meijer", "de Boer", "Mulder", "de Groot",
    "Johansson", "Andersson", "Karlsson", "Nilsson", "Eriksson", "Larsson", "\xC5ngstr\xF6m",
    ("S\xF6" "derstr\xF6m"), "Lindqvist", "\xD8rsted", "Hansen", "J\xF8rgensen", "S\xF8rensen",
    "Nielsen", "Pedersen", "Kowalski", "Nowak", "Wi\x9Aniewski", "Novak", "Svoboda", "Ivanov",
    "Petrov", "Smirnov", "Kuznetsov", "Popov", "O'Brien", "O'Connor", "MacDonald",
    "McLaughlin", "Murphy", "Byrne", "Ryan", "Walsh", "Tanaka", "Suzuki", "Takahashi",
    "Watanabe", "Ito", "Yamamoto", "Nakamura", "Kobayashi", "Wang", "Li", "Zhang", "Liu",
    "Chen", "Yang", "Huang", "Zhao", "Wu", "Zhou", "Kim", "Park", "Choi", "Jung", "Kang",
    "Nguyen", "Tran", "Pham", "Singh", "Kumar", "Sharma", "Gupta", "Khan", "Ali", "Ahmed",
    "Cohen", "Levi", ("\xC7" "elik"), "Y\xFDlmaz", "Papadopoulos", "Nikolaidis",
};

const char* const kSyllables[] = {
    "al", "ber", "cor", "dan", "el", "fen", "gar", "hol", "in", "jor", "kel", "lin", "mar",
    "nor", "os", "per", "quin", "ros", "sten", "tor", "ul", "ver", "win", "xan", "yor", "zel",
    "ard", "bel", "cas", "dor", "ing", "son", "man", "berg", "ley", "ton", "ford", "wick",
};

const char* const kGivenNames[] = {
    "John", "Mary", "Peter", "Anna", "James", "Sarah", "David", "Maria", "Michael", "Laura",
    "Robert", "Emma", "Thomas", "Julia", "Paul", "Clara", "Henri", ("Ren\xE9" "e"), "J\xFCrgen",
    "Bj\xF6rn", "Zo\xEB", "Fran\xE7oise", "Jos\xE9", "In\xE9s", "S\xF8ren", "\xC9milie",
};

const char* const kWords[] = {
    "analysis", "study", "effect", "effects", "model", "models", "theory", "evidence",
    "approach", "method", "methods", "data", "system", "systems", "structure", "function",
    "dynamics", "role", "development", "growth", "change", "changes", "response", "control",
    "regulation", "expression", "protein", "proteins", "cell", "cells", "gene", "genes",
    "population", "populations", "species", "climate", "temperature", "water", "soil",
    "carbon", "nitrogen", "energy", "transport", "signal", "signalling", "network",
    "networks", "learning", "memory", "language", "social", "economic", "policy", "market",
    "markets", "trade", "health", "disease", "risk", "treatment", "patients", "children",
    "women", "adults", "behaviour", "cognitive", "neural", "brain", "visual", "spatial",
    "temporal", "local", "global", "regional", "national", "historical", "early", "late",
    "new", "novel", "recent", "long-term", "short-term", "large", "small", "high", "low",
    "rapid", "slow", "linear", "nonlinear", "stochastic", "quantum", "thermal", "optical",
    "magnetic", "electric", "chemical", "physical", "biological", "molecular", "genetic",
    "evolutionary", "ecological", "statistical", "computational", "experimental",
    "theoretical", "empirical", "comparative", "quantitative", "qualitative", "of", "in",
    "and", "the", "for", "on", "with", "from", "between", "under", "during", "across",
    "among", "towards", "within", "without", "a", "an", "its", "their", "after", "before",
    "measurement", "estimation", "prediction", "simulation", "observation", "survey",
    "review", "case", "framework", "perspective", "implications", "consequences", "factors",
    "patterns", "processes", "mechanisms", "interactions", "variation", "diversity",
    "distribution", "abundance", "production", "consumption", "use", "management",
    "conservation", "design", "performance", "efficiency", "stability", "resistance",
    "sensitivity", "uncertainty", "complexity", "information", "communication", "education",
    "urban", "rural", "coastal", "marine", "forest", "river", "lake", "mountain", "arctic",
    "tropical", "Europe", "Africa", "Asia", "America", "Britain", "France", "Germany",
    "Sweden", "Japan", "China", "India", "Brazil", "Canada", "Australia", "caf\xE9",
    "na\xEFve", "r\xF4le", "\xE9lite", "d\xE9j\xE0", ("fa\xE7" "ade"), "coop\xE9ration",
};

const char* const kJournalFields[] = {
    "Ecology", "Physics", "Chemistry", "Biology", "Medicine", "Economics", "Psychology",
    "Sociology", "Linguistics", "Geology", "Astronomy", "Mathematics", "Computing",
    "Neuroscience", "Genetics", "Botany", "Zoology", "History", "Philosophy", "Education",
    "Engineering", "Hydrology", "Oceanography", "Epidemiology", "Immunology", "Statistics",
};

const char* const kJournalForms[] = {
    "Journal of %s", "%s Letters", "Annals of %s", "Advances in %s", "Reviews in %s",
    "International Journal of %s", "Applied %s", "Trends in %s", "Proceedings in %s",
    "Zeitschrift f\xFCr %s", "Revue de %s", "Acta %s",
};

const char* const kPublishers[] = {
    "Academic Press", "University Press", "Springer", "Elsevier", "Wiley", "Blackwell",
    "Harper & Row", "Penguin", "Macmillan", "Routledge", "Gauthier-Villars", ("\xC9" "ditions du Seuil"),
    "Deutscher Verlag", "National Research Council", "Institute of Technology",
};

const char* const kCities[] = {
    "London", "New York", "Oxford", "Cambridge", "Berlin", "Paris", "Amsterdam", "Boston",
    "Chicago", "Tokyo", "Z\xFCrich", "M\xFCnchen", "Gen\xE8ve", "Stockholm", ("Montr\xE9" "al"),
};

const char* const kMonths[] = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec",
};

const char* const kSeasons[] = {"Spring", "Summer", "Autumn", "Winter"};

std::string FamilyName(Random& random)
{
    if (random.Chance(75)) return random.Pick(kFamilyNames);
    std::string name;
    const int syllables = random.Between(2, 3);
    for (int i = 0; i < syllables; ++i) name += random.Pick(kSyllables);
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

std::string Initials(Random& random)
{
    std::string initials;
    const int count = random.Between(1, 2);
    for (int i = 0; i < count; ++i) initials += static_cast<char>('A' + random.Between(0, 25));
    return initials;
}

// Mostly "Family, Initials"; some with a given name, a few given name first.
std::string PersonalName(Random& random)
{
    const int form = random.Between(1, 100);
    if (form <= 70) return FamilyName(random) + ", " + Initials(random);
    if (form <= 92) return FamilyName(random) + ", " + random.Pick(kGivenNames) + " " +
                           Initials(random).substr(0, 1);
    return std::string(random.Pick(kGivenNames)) + " " + FamilyName(random);
}

std::string NameList(Random& random, int count)
{
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0) list += "\r\n";
        list += PersonalName(random);
    }
    return list;
}

int AuthorCount(Random& random)
{
    static const int kWeights[] = {25, 30, 20, 12, 8, 5};  // 1 to 6 authors, in percent
    int roll = random.Between(1, 100);
    for (int i = 0; i < 6; ++i) {
        roll -= kWeights[i];
        if (roll <= 0) return i + 1;
    }
    return 6;
}

std::string Date(Random& random)
{
    const std::string year = std::to_string(random.Between(1950, 2024));
    const int form = random.Between(1, 100);
    if (form <= 80) return year;
    if (form <= 92) return std::to_string(random.Between(1, 28)) + " " + random.Pick(kMonths) + " " + year;
    if (form <= 96) return std::string(random.Pick(kSeasons)) + " " + year;
    if (form <= 99) return std::to_string(random.Between(1, 12)) + "/" + year;
    return "in press";
}

std::string Words(Random& random, int count, bool capitalise)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += ' ';
        std::string word = random.Pick(kWords);
        if (i == 0 && capitalise && word[0] >= 'a' && word[0] <= 'z')
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
        text += word;
    }
    return text;
}

// Sentences of 8-20 words, in one or two paragraphs.
std::string Abstract(Random& random)
{
    const int total = random.Between(50, 150);
    const int paragraphBreak = random.Chance(30) ? total / 2 : total;
    std::string text;
    int written = 0;
    bool broken = false;
    while (written < total) {
        int sentence = random.Between(8, 20);
        if (sentence > total - written) sentence = total - written;
        if (written > 0 && !broken && written >= paragraphBreak) {
            text += "\r\n\r\n";
            broken = true;
        } else if (written > 0) {
            text += ' ';
        }
        text += Words(random, sentence, true) + ".";
        written += sentence;
    }
    return text;
}

std::string Keywords(Random& random)
{
    std::string keywords;
    const int count = random.Between(2, 6);
    for (int i = 0; i < count; ++i) {
        if (i > 0) keywords += "\r\n";
        keywords += Words(random, random.Between(1, 2), false);
    }
    return keywords;
}

std::string JournalName(Random& random)
{
    const std::string form = random.Pick(kJournalForms);
    const std::size_t slot = form.find("%s");
    return form.substr(0, slot) + random.Pick(kJournalFields) + form.substr(slot + 2);
}

bool Set(Reference& reference, ReferenceField field, const std::string& text)
{
    return SetReferenceText(reference, field, text.c_str()) != 0;
}

Reference* Generate(Random& random)
{
    Reference* reference = new Reference;
    const int kind = random.Between(1, 100);
    reference->sourceType = kind <= 70 ? kSourceJournal : kind <= 90 ? kSourceBook : kSourceReport;
    bool ok = Set(*reference, kFieldAuthors, NameList(random, AuthorCount(random))) &&
              Set(*reference, kFieldDate, Date(random)) &&
              Set(*reference, kFieldTitle, Words(random, random.Between(5, 15), true)) &&
              Set(*reference, kFieldAbstract, Abstract(random)) &&
              Set(*reference, kFieldKeywords, Keywords(random));
    switch (reference->sourceType) {
    case kSourceJournal:
        ok = ok && Set(*reference, kFieldSource, JournalName(random)) &&
             Set(*reference, kFieldVolume, std::to_string(random.Between(1, 150))) &&
             Set(*reference, kFieldNumber, std::to_string(random.Between(1, 12)));
        break;
    case kSourceBook:
        ok = ok && Set(*reference, kFieldSource, Words(random, random.Between(3, 8), true)) &&
             Set(*reference, kFieldPublisher, random.Pick(kPublishers)) &&
             Set(*reference, kFieldCity, random.Pick(kCities));
        if (random.Chance(30))
            ok = ok && Set(*reference, kFieldEditors, NameList(random, random.Between(1, 3)));
        break;
    default:
        ok = ok && Set(*reference, kFieldSource, random.Pick(kPublishers)) &&
             Set(*reference, kFieldCity, random.Pick(kCities));
        break;
    }
    const int firstPage = random.Between(1, 900);
    ok = ok && Set(*reference, kFieldPages,
                   std::to_string(firstPage) + "-" + std::to_string(firstPage + random.Between(2, 40)));
    if (!ok || !RebuildSummary(*reference)) {
        delete reference;
        return nullptr;
    }
    return reference;
}

}  // namespace

std::vector<Reference*> GenerateReferences(int32_t count, uint32_t seed)
{
    std::vector<Reference*> references;
    if (count <= 0) return references;
    references.reserve(static_cast<std::size_t>(count));
    Random random(seed);
    for (int32_t i = 0; i < count; ++i) {
        Reference* reference = Generate(random);
        if (reference == nullptr) break;
        references.push_back(reference);
    }
    return references;
}

void DestroyReferences(std::vector<Reference*>& references)
{
    for (Reference* reference : references) delete reference;
    references.clear();
}
