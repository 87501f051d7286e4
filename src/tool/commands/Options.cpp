#include "Options.h"

#include <algorithm>
#include <optional>

namespace tool {

namespace {

bool named(const OptionNames& names, const QString& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const char* n) { return name == QLatin1String(n); });
}

} // namespace

QString Args::value(const char* name) const {
    const auto it = values.find(QLatin1String(name));
    return it == values.end() ? QString() : it->second;
}

bool Args::has(const char* name) const {
    return values.count(QLatin1String(name)) > 0;
}

bool Args::flag(const char* name) const {
    return flags.count(QLatin1String(name)) > 0;
}

Args parseArgs(const QStringList& args, const OptionNames& withValue, const OptionNames& flags) {
    Args a;
    bool filesOnly = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (filesOnly || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            a.files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            filesOnly = true;
            continue;
        }
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq > 0 && arg.startsWith("--")) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        if (name == QLatin1String("-o"))
            name = QLatin1String(option::kOutput);
        if (name == QLatin1String("-h") || name == QLatin1String("--help")) {
            a.help = true;
        } else if (named(withValue, name)) {
            if (!inlineValue && i + 1 >= args.size()) {
                a.error = QStringLiteral("%1 needs a value").arg(arg);
                return a;
            }
            a.values[name] = inlineValue ? *inlineValue : args[++i];
        } else if (named(flags, name) && !inlineValue) {
            a.flags.insert(name);
        } else {
            a.error = QStringLiteral("unknown option %1").arg(arg);
            return a;
        }
    }
    return a;
}

} // namespace tool
