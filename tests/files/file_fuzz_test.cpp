// Damaged files, made from sound ones of every simulation: bytes flipped,
// cut short, fields deleted, duplicated or given another type, numbers at
// their extremes. Each goes through the file layer and the model without a
// window: none may crash or trip a sanitizer, and every file accepted must
// leave a model its invariants accept. RAYLORE_FUZZ_INPUTS sets how many
// (CI runs a few thousand), RAYLORE_FUZZ_SEED replays a run.
#include "files/experiment_file.h"
#include "files/json_reader.h"
#include "tests/files/simulations.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>
#include <random>

namespace {

class Mutator {
public:
    explicit Mutator(std::uint64_t seed)
        : random_(seed)
    {
    }

    QByteArray damage(const QJsonObject& sound)
    {
        switch (pick(4)) {
        case 0: return flipBytes(QJsonDocument(sound).toJson(QJsonDocument::Compact));
        case 1: {
            const QByteArray bytes = QJsonDocument(sound).toJson();
            return bytes.left(pick(static_cast<int>(bytes.size()) + 1));
        }
        default: {
            QJsonValue root = sound;
            for (int n = 1 + pick(3); n > 0; --n)
                root = change(root, 0);
            return QJsonDocument(root.toObject()).toJson(QJsonDocument::Compact);
        }
        }
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    QByteArray flipBytes(QByteArray bytes)
    {
        for (int n = 1 + pick(4); n > 0 && !bytes.isEmpty(); --n)
            bytes[pick(static_cast<int>(bytes.size()))] = static_cast<char>(pick(256));
        return bytes;
    }

    QJsonValue extreme()
    {
        const double values[] = {0.0, -0.0, 1e308, -1e308, 5e-324, 9007199254740993.0, -2147483649.0, 0.5,
                                 50, 51, 6, 7, -1, 12.5, 1e6, -1e6, 300, 340, 260, 1.5707963267948966};
        switch (pick(6)) {
        case 0: return QJsonValue(QString::fromUtf8("zehn"));
        case 1: return QJsonValue(pick(2) == 0);
        case 2: return QJsonValue(QJsonValue::Null);
        case 3: return QJsonArray{1, 2};
        case 4: return QJsonObject{{"x", 1}};
        default: return values[pick(std::size(values))];
        }
    }

    // Walks down to a random field and changes it: deleted, duplicated under
    // another name or into a list, another type, an extreme number.
    QJsonValue change(const QJsonValue& node, int depth)
    {
        if (node.isObject()) {
            QJsonObject object = node.toObject();
            if (object.isEmpty())
                return node;
            const QString key = object.keys().at(pick(static_cast<int>(object.size())));
            if (depth < 4 && pick(3) != 0 && (object[key].isObject() || object[key].isArray())) {
                object[key] = change(object[key], depth + 1);
                return object;
            }
            switch (pick(4)) {
            case 0: object.remove(key); break;
            case 1: object.insert(key + "2", object[key]); break;
            default: object[key] = extreme(); break;
            }
            return object;
        }
        if (node.isArray()) {
            QJsonArray array = node.toArray();
            if (array.isEmpty() || pick(4) == 0) {
                for (int n = pick(60); n > 0; --n)
                    array.append(array.isEmpty() ? extreme() : array.at(0));
                return array;
            }
            const int i = pick(static_cast<int>(array.size()));
            array[i] = pick(3) == 0 ? extreme() : change(array.at(i), depth + 1);
            return array;
        }
        return extreme();
    }

    std::mt19937_64 random_;
};

int inputs()
{
    bool set = false;
    const int n = qEnvironmentVariableIntValue("RAYLORE_FUZZ_INPUTS", &set);
    return set ? n : 3000;
}

std::uint64_t seed()
{
    bool set = false;
    const std::uint64_t given = qEnvironmentVariable("RAYLORE_FUZZ_SEED").toULongLong(&set);
    return set ? given : std::random_device{}() * 0x100000000ull + std::random_device{}();
}

} // namespace

TEST(FileFuzz, DamagedFilesAreRefusedOrLeaveSoundModels)
{
    const std::uint64_t start = seed();
    std::fprintf(stderr, "fuzz seed %llu (replay with RAYLORE_FUZZ_SEED=%llu), %d inputs\n",
                 static_cast<unsigned long long>(start), static_cast<unsigned long long>(start), inputs());
    Mutator mutator(start);
    int accepted = 0;
    const std::vector<Simulation> simulations = fuzzedSimulations();
    for (int i = 0; i < inputs(); ++i) {
        const Simulation& s = simulations[static_cast<std::size_t>(i) % simulations.size()];
        const QByteArray bytes = mutator.damage(s.sound());
        const files::Opened opened = files::parseExperiment(bytes, s.kind);
        if (!opened.error.isEmpty())
            continue;
        const std::string broken = s.load(opened.fields);
        ASSERT_EQ(broken, "") << s.name << " input " << i << ": " << bytes.left(4000).toStdString();
        accepted += 1;
    }
    std::fprintf(stderr, "%d of %d damaged files were accepted\n", accepted, inputs());
}
