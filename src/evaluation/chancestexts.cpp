#include "evaluation/chancestexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "evaluation/wintable.h"
#include "filters/percent.h"
#include "filters/valueform.h"

namespace velmora {
namespace {

// Below 1 the texts keep three significant digits, but never more decimals than these.
constexpr int kMaxDecimals = 10;

// Points between groups of three digits of an integer part, a sign left in front.
std::string Grouped(std::string_view digits) {
    std::string sign;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        sign = digits.front();
        digits.remove_prefix(1);
    }
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped.push_back('.');
        grouped.push_back(digits[i]);
    }
    return sign + grouped;
}

// A finite value with `decimals` decimals, German: "1.234,50".
std::string Fixed(double value, int decimals) {
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return kNoValue;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return Grouped(text);
    return Grouped(text.substr(0, point)) + "," + std::string(text.substr(point + 1));
}

// A value of 0 or more: two decimals from 1 on, three significant digits below.
std::string Measured(double value) {
    if (!std::isfinite(value))
        return kNoValue;
    if (!(value > 0))
        return "0";
    if (value >= 1)
        return Fixed(value, 2);
    const int decimals = 2 - static_cast<int>(std::floor(std::log10(value)));
    if (decimals > kMaxDecimals)
        return "< 0," + std::string(kMaxDecimals - 1, '0') + "1";
    return Fixed(value, decimals);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool IsDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return !text.empty();
}

// An integer part written with points between its groups, without them; nothing when the
// groups are not of three digits after the first.
std::optional<std::string> WithoutGroupPoints(std::string_view integer) {
    std::string sign;
    if (!integer.empty() && (integer.front() == '-' || integer.front() == '+')) {
        sign = integer.front();
        integer.remove_prefix(1);
    }
    std::string digits;
    bool first = true;
    while (true) {
        const std::size_t point = integer.find('.');
        const std::string_view group = integer.substr(0, point);
        const bool fits = first ? group.size() >= 1 && group.size() <= 3 : group.size() == 3;
        if (!fits || !IsDigits(group))
            return std::nullopt;
        digits += group;
        if (point == std::string_view::npos)
            break;
        integer.remove_prefix(point + 1);
        first = false;
    }
    return sign + digits;
}

std::string Quoted(std::string_view text) {
    return "„" + std::string(text) + "“";
}

// Reads one field; returns why it is no number, naming it.
std::string ReadNumber(std::string_view text, const std::string& caption, double& value) {
    if (Trimmed(text).empty())
        return "Das Feld " + Quoted(caption) + " ist leer. Bitte tragen Sie eine Zahl ein.";
    const std::optional<double> number = ParseFieldNumber(text);
    if (!number)
        return "Im Feld " + Quoted(caption) + " steht " + Quoted(Trimmed(text)) +
               "; das ist keine Zahl. Zahlen werden mit Dezimalkomma geschrieben, etwa „12,5“ "
               "oder „1.000.000“.";
    value = *number;
    return {};
}

std::string OutsidePercentRange(const std::string& caption) {
    return "Im Feld " + Quoted(caption) + " muss ein Wert von 0 bis 100 stehen.";
}

std::string RowCountText(std::int32_t rows) {
    return Grouped(std::to_string(rows)) + (rows == 1 ? " Reihe" : " Reihen");
}

std::string PercentOf(double fraction) {
    return FieldNumberText(fraction * 100) + " %";
}

}  // namespace

std::string ShareCaption(int n, int cls) {
    return "Anteil " + ChanceClassCaption(n, cls) + " (%)";
}

std::string ChanceClassCaption(int n, int cls) {
    return cls == kNothingWon ? kNothingWonCaption : ClassCaption(n, cls);
}

std::vector<std::string> SourceChoices() {
    std::vector<std::string> choices;
    for (int index = 0; index <= kPercentFilterCount; ++index)
        choices.push_back(ChanceSourceName(SourceAtChoice(index)));
    return choices;
}

std::vector<std::string> PlayersChoices() {
    std::vector<std::string> choices{kNoPlayersCaption};
    for (int k = 1; k <= kPercentFilterCount; ++k)
        choices.push_back(ChanceSourceName({ChanceSource::Kind::Percent, k}));
    return choices;
}

ChanceSource SourceAtChoice(int index) {
    if (index < 1 || index > kPercentFilterCount)
        return {};
    return {ChanceSource::Kind::Percent, index};
}

int SourceChoice(const ChanceSource& source) {
    if (source.kind == ChanceSource::Kind::Odds || source.percentFilter < 1 ||
        source.percentFilter > kPercentFilterCount)
        return 0;
    return source.percentFilter;
}

std::string ProbabilityText(double probability) {
    const std::string number = Measured(probability * 100);
    return number == kNoValue ? number : number + " %";
}

std::string ExpectedRowsText(double rows) {
    return Measured(rows);
}

std::string AmountText(double euros) {
    if (!std::isfinite(euros))
        return kNoValue;
    double cents = std::round(euros * 100);
    if (cents == 0)
        cents = 0;  // no "-0,00 €"
    return Fixed(cents / 100, 2) + " €";
}

std::string FieldNumberText(double value) {
    if (!std::isfinite(value))
        return kNoValue;
    std::string text = Fixed(value, 2);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == ',')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::optional<double> ParseFieldNumber(std::string_view text) {
    text = Trimmed(text);
    for (const std::string_view unit : {std::string_view("%"), std::string_view("€")}) {
        if (text.size() >= unit.size() && text.substr(text.size() - unit.size()) == unit) {
            text = Trimmed(text.substr(0, text.size() - unit.size()));
            break;
        }
    }
    if (text.empty())
        return std::nullopt;
    const std::size_t comma = text.find(',');
    std::string_view integer = text.substr(0, comma);
    const std::string_view rest = comma == std::string_view::npos ? "" : text.substr(comma);
    if (rest.find('.') != std::string_view::npos)
        return std::nullopt;
    std::string plain(integer);
    if (integer.find('.') != std::string_view::npos) {
        const std::optional<std::string> digits = WithoutGroupPoints(integer);
        if (!digits)
            return std::nullopt;
        plain = *digits;
    }
    plain += rest;
    return ParseNumber(plain, ',');
}

PoolFields PoolFieldsOf(const PoolSettings& pool) {
    PoolFields fields;
    fields.stakes = FieldNumberText(pool.stakes);
    fields.rate = FieldNumberText(pool.rate * 100);
    for (std::size_t e = 0; e < fields.shares.size(); ++e)
        fields.shares[e] = FieldNumberText(pool.shares[e] * 100);
    return fields;
}

std::string ReadPoolFields(const PoolFields& fields, int n, PoolSettings& pool) {
    PoolSettings read = pool;
    if (std::string problem = ReadNumber(fields.stakes, kStakesCaption, read.stakes);
        !problem.empty())
        return problem;
    if (read.stakes < 0)
        return "Im Feld " + Quoted(kStakesCaption) + " steht ein Betrag unter 0.";
    double rate = 0;
    if (std::string problem = ReadNumber(fields.rate, kRateCaption, rate); !problem.empty())
        return problem;
    if (rate < 0 || rate > 100)
        return OutsidePercentRange(kRateCaption);
    read.rate = rate / 100;
    double sum = 0;
    for (std::size_t e = 0; e < fields.shares.size(); ++e) {
        const std::string caption = ShareCaption(n, static_cast<int>(e));
        double share = 0;
        if (std::string problem = ReadNumber(fields.shares[e], caption, share); !problem.empty())
            return problem;
        if (share < 0 || share > 100)
            return OutsidePercentRange(caption);
        read.shares[e] = share / 100;
        sum += share;
    }
    if (sum > 100 + 1e-7)
        return "Die Anteile der Gewinnklassen ergeben zusammen " + FieldNumberText(sum) +
               " %; mehr als 100 % lassen sich nicht ausschütten.";
    pool = read;
    return {};
}

ChanceSettings UsableChanceSettings(const ChanceSettings& kept) {
    const ChanceSettings defaults;
    ChanceSettings usable = kept;
    if (kept.source.kind != ChanceSource::Kind::Odds &&
        SourceAtChoice(SourceChoice(kept.source)) != kept.source)
        usable.source = defaults.source;
    if (kept.source.kind == ChanceSource::Kind::Odds)
        usable.source.percentFilter = defaults.source.percentFilter;
    PoolSettings& pool = usable.pool;
    if (pool.publicFilter < 0 || pool.publicFilter > kPercentFilterCount)
        pool.publicFilter = defaults.pool.publicFilter;
    if (!std::isfinite(pool.stakes) || pool.stakes < 0)
        pool.stakes = defaults.pool.stakes;
    if (!(pool.rate >= 0 && pool.rate <= 1))
        pool.rate = defaults.pool.rate;
    double sum = 0;
    bool sharesUsable = true;
    for (double share : pool.shares) {
        sharesUsable = sharesUsable && share >= 0 && share <= 1;
        sum += share;
    }
    if (!sharesUsable || !(sum <= 1 + 1e-9))
        pool.shares = defaults.pool.shares;
    return usable;
}

ChancesTable MakeChancesTable(int n, const ChancesResult& result, std::int32_t rows) {
    ChancesTable table;
    table.headings = {"Wahrscheinlichkeit", "erwartete\nReihen",
                      "Wahrscheinlichkeit\nim gefilterten\nSystem",
                      "erwartete Reihen\nim gefilterten\nSystem"};
    if (result.payout)
        table.headings.push_back("erwartete\nAuszahlung");
    // The rows that win nothing are the rest of the system; what rounding leaves of a
    // system that always wins is none.
    auto rest = [rows](const ClassChances& chances) {
        double winning = 0;
        for (double expected : chances.expectedRows)
            winning += expected;
        const double left = rows - winning;
        return left > 1e-9 * std::max(1, rows) ? left : 0.0;
    };
    for (int cls = 0; cls < kChanceRows; ++cls) {
        const auto c = static_cast<std::size_t>(cls);
        const bool won = cls != kNothingWon;
        table.rowCaptions[c] = ChanceClassCaption(n, cls);
        std::vector<std::string>& cells = table.cells[c];
        cells.push_back(ProbabilityText(result.all.best[c]));
        cells.push_back(ExpectedRowsText(won ? result.all.expectedRows[c] : rest(result.all)));
        if (result.filtered) {
            cells.push_back(ProbabilityText(result.filtered->best[c]));
            cells.push_back(
                ExpectedRowsText(won ? result.filtered->expectedRows[c] : rest(*result.filtered)));
        } else {
            cells.insert(cells.end(), 2, kNoValue);
        }
        if (result.payout)
            cells.push_back(AmountText(won ? result.payout->byClass[c] : 0.0));
    }
    return table;
}

std::string PlanLine(const ChancesResult& result) {
    return "Ergebnis im Vollsystem des Tippplans: " + ProbabilityText(result.pPlan);
}

std::string FilteredLine(const ChancesResult& result) {
    return "Ergebnis im gefilterten System: " + ProbabilityText(result.pFiltered);
}

std::vector<std::string> PayoutLines(const Payout& payout, std::int32_t rows,
                                     std::int64_t pricePerRowCents) {
    const std::string balance = AmountText(payout.Balance());
    const bool gain = std::round(payout.Balance() * 100) > 0;
    return {"Erwartete Auszahlung: " + AmountText(payout.expected),
            "Einsatz (" + RowCountText(rows) + " × " +
                AmountText(static_cast<double>(pricePerRowCents) / 100) +
                "): " + AmountText(payout.stake),
            "Differenz: " + (gain ? "+" + balance : balance)};
}

ChartValues ChartValuesOf(const ChancesResult& result) {
    ChartValues values;
    for (std::size_t c = 0; c < values.all.size(); ++c) {
        values.all[c] = result.all.best[c] * 100;
        values.filtered[c] = result.filtered ? result.filtered->best[c] * 100 : 0.0;
    }
    return values;
}

ChancesView MakeChancesView(int n, const ChanceSettings& settings, const ChancesResult& result,
                            std::int32_t rows, std::int64_t pricePerRowCents) {
    ChancesView view;
    const int players = settings.pool.publicFilter;
    view.settingsLines.push_back(std::string(kSourceCaption) + ": " +
                                 ChanceSourceName(settings.source));
    view.settingsLines.push_back(std::string(kPlayersCaption) + ": " +
                                 (players == 0
                                      ? kNoPlayersCaption
                                      : ChanceSourceName({ChanceSource::Kind::Percent, players})));
    if (result.payout) {
        const PoolSettings& pool = settings.pool;
        view.settingsLines.push_back("Spieleinsatz aller Spieler: " + AmountText(pool.stakes));
        view.settingsLines.push_back("Ausschüttungsquote: " + PercentOf(pool.rate));
        std::string shares = "Anteile:";
        for (std::size_t e = 0; e < pool.shares.size(); ++e)
            shares += (e == 0 ? " " : ", ") + ChanceClassCaption(n, static_cast<int>(e)) + " " +
                      PercentOf(pool.shares[e]);
        view.settingsLines.push_back(shares);
        view.payoutLines = PayoutLines(*result.payout, rows, pricePerRowCents);
    }
    view.planLine = PlanLine(result);
    view.filteredLine = FilteredLine(result);
    view.table = MakeChancesTable(n, result, rows);
    return view;
}

ChancesReport MakeChancesReport(const ChancesView& view) {
    constexpr double kLine = 4.6;         // millimetres per line
    constexpr double kHeadingLine = 4.2;  // per line of a column heading
    constexpr double kGap = 3;
    constexpr double kCaptionWidth = 31;  // "nichts gewonnen" and some room
    constexpr double kWidth = ReportPage::kWidth - 2 * ReportPage::kMargin;

    ChancesReport report;
    report.heading = {12, {{0, 0, kChancesTitle}}};
    auto line = [&](const std::string& text, double height) {
        report.bands.push_back({height, {{0, 0, text}}});
    };
    for (const std::string& text : view.settingsLines)
        line(text, kLine);
    report.bands.push_back({kGap, {}});
    line(view.planLine, kLine);
    line(view.filteredLine, kLine + kGap);

    const double columnWidth =
        (kWidth - kCaptionWidth) / static_cast<double>(view.table.headings.size());
    auto columnLeft = [&](std::size_t column) {
        return kCaptionWidth + columnWidth * static_cast<double>(column);
    };
    ReportBand headings;
    std::size_t deepest = 1;
    for (std::size_t c = 0; c < view.table.headings.size(); ++c) {
        const std::string& heading = view.table.headings[c];
        std::size_t begin = 0;
        std::size_t lines = 0;
        while (begin <= heading.size()) {
            std::size_t end = heading.find('\n', begin);
            if (end == std::string::npos)
                end = heading.size();
            headings.fields.push_back({columnLeft(c), kHeadingLine * static_cast<double>(lines),
                                       heading.substr(begin, end - begin)});
            ++lines;
            begin = end + 1;
        }
        deepest = std::max(deepest, lines);
    }
    headings.height = kHeadingLine * static_cast<double>(deepest) + 2;
    report.bands.push_back(std::move(headings));
    for (std::size_t r = 0; r < view.table.rowCaptions.size(); ++r) {
        ReportBand row{kLine, {{0, 0, view.table.rowCaptions[r]}}};
        for (std::size_t c = 0; c < view.table.cells[r].size(); ++c)
            row.fields.push_back({columnLeft(c), 0, view.table.cells[r][c]});
        report.bands.push_back(std::move(row));
    }
    if (!view.payoutLines.empty()) {
        report.bands.push_back({kGap, {}});
        for (const std::string& text : view.payoutLines)
            line(text, kLine);
    }
    return report;
}

}  // namespace velmora
