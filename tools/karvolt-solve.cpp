// Searches a level for a key stream that wins it, on the game's own rules, and
// tells how hard it is. No display.
//
//   karvolt-solve SETFILE LEVEL [options]     one level (LEVEL is 0-based)
//   karvolt-solve SETFILE --all [options]     every level, one line each
//
// Options:
//   --seed N            the seed searched with (1)
//   --luck-seeds N      other seeds the solution is replayed with (16)
//   --search auto|breadth|guided
//                       breadth-first (fewest decisions, proves "none shorter"),
//                       guided (quarkels still needed, the way to the nearest
//                       quarkel or the exit), or auto: breadth-first while it
//                       fits, then guided (the default)
//   --max-decisions N   decisions run before giving up (2000000)
//   --walk-decisions N  the walk-only baseline's own budget of decisions (by
//                       default a quarter of --max-decisions and --max-seconds)
//   --max-seconds S     seconds (600)
//   --max-memory MB     memory of the search's tables (2048)
//   --threads N         search threads, 0 for every core (1); the result does
//                       not depend on it
//   --save-demo FILE    writes the solution as a demo file (one level only)
//
// A decision is one of Pellik's choices, held until he can decide again or the
// game ends: an arrow, an arrow with fire, fire alone until a red disk is laid,
// no key for 16 or 64 ticks. One level prints the solution line in the form
// of data/Levels/solutions/<set>.txt first, then "name: value" lines;
// --all prints "LEVEL name=value ..." a level. See README.md.
//
// Exit: 0 solved (--all: every level analysed), 1 no solution (every state
// reachable was tried), 2 bad input, 3 a budget spent with nothing found.
#include <ClanLib/Core/System/error.h>

#include <cinttypes>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "solve/solver.h"
#include "support/level_run.h"

namespace {

using namespace KV_Solve;

struct Settings {
    Options options;
    uint32_t seed = 1;
    uint64_t luck_seeds = 16;
    uint64_t walk_decisions = 0;  // 0: a quarter of the search's
    std::string demo_path;
};

struct Analysis {
    std::string error;  // the level cannot be searched
    Result found;
    Result walk;
    std::vector<uint32_t> won_seeds, lost_seeds;
    int kinds[KIND_COUNT] = {};
};

int usage() {
    std::fprintf(stderr,
                 "usage: karvolt-solve SETFILE LEVEL [--seed N] [--luck-seeds N] [--search auto|breadth|guided]\n"
                 "                     [--max-decisions N] [--walk-decisions N] [--max-seconds S] [--max-memory MB]\n"
                 "                     [--threads N] [--save-demo FILE.kvd]\n"
                 "       karvolt-solve SETFILE --all [the same options but --save-demo]\n");
    return 2;
}

bool has_exit(const KV_Level& level) {
    for (int32_t y = 0; y < level.get_height(); ++y)
        for (int32_t x = 0; x < level.get_width(); ++x)
            if (level.at(KV_LAYER_ITEMS, x, y).is(KV_ObjectType::Exit)) return true;
    return false;
}

// The level can be searched: it converts, has Pellik and an exit.
bool check_level(const KV_LoadedLevel& loaded, uint32_t seed, std::string& error) {
    const std::string name = loaded.set_path + ": level " + std::to_string(loaded.number);
    const std::shared_ptr<KV_Level> field = loaded.fresh_field(seed);
    if (!field)
        error = name + " does not convert";
    else if (!field->get_has_player())
        error = name + " has no Pellik";
    else if (!has_exit(*field))
        error = name + " has no exit";
    else
        return true;
    return false;
}

Analysis analyse(const KV_LoadedLevel& loaded, const Settings& s) {
    Analysis a;
    if (!check_level(loaded, s.seed, a.error)) return a;
    const FieldMaker make = [&loaded, &s] { return loaded.fresh_field(s.seed); };
    a.found = solve(make, s.options);
    // The baseline: only plain walks, within its own budget (by default a
    // quarter of the search's). With enemies about, walking to and fro stands
    // in for waiting, so proving "no" can take more than finding a solution.
    Options walk = s.options;
    walk.walk_only = true;
    walk.max_decisions = s.walk_decisions ? s.walk_decisions : std::max<uint64_t>(1, s.options.max_decisions / 4);
    walk.max_seconds = s.walk_decisions ? s.options.max_seconds : s.options.max_seconds / 4;
    a.walk = solve(make, walk);
    if (a.found.outcome != Outcome::Solved) return a;
    for (const Decision& d : a.found.decisions) ++a.kinds[int(d.kind)];
    const std::vector<KV_KeyRun> keys = a.found.keys();
    for (uint64_t i = 0; i <= s.luck_seeds; ++i) {
        const uint32_t seed = uint32_t(s.seed + i);
        (winning_tick(loaded.fresh_field(seed), keys) ? a.won_seeds : a.lost_seeds).push_back(seed);
    }
    return a;
}

std::string title_of(const KV_LoadedLevel& loaded) {
    std::string t = loaded.record->GetTitle();
    while (!t.empty() && (t.back() == ' ' || t.back() == '\0')) t.pop_back();
    return t;
}

int not_walking(const Analysis& a) { return int(a.found.decisions.size()) - a.kinds[int(Kind::Walk)]; }

std::string walk_only_text(const Result& w) {
    switch (w.outcome) {
        case Outcome::Solved: return "yes";
        case Outcome::Unwinnable: return "no";
        default: return "unknown";
    }
}

std::string seed_list(const std::vector<uint32_t>& seeds) {
    std::string out;
    for (uint32_t s : seeds) out += (out.empty() ? "" : ",") + std::to_string(s);
    return out.empty() ? "-" : out;
}

std::string no_win_text(const Result& r) {
    if (r.no_win_within == UINT32_MAX) return "every reachable state";
    return std::to_string(r.no_win_within) + " decisions";
}

void print_walk(FILE* out, const Result& w) {
    if (w.outcome == Outcome::Solved)
        std::fprintf(out, "walk only: yes, %zu decisions\n", w.decisions.size());
    else if (w.outcome == Outcome::Unwinnable)
        std::fprintf(out, "walk only: no, no stream of plain walks wins\n");
    else
        std::fprintf(out, "walk only: unknown, none within %" PRIu64 " decisions\n", w.expanded);
}

void print_one(const KV_LoadedLevel& loaded, const Settings& s, const Analysis& a) {
    const Result& r = a.found;
    std::printf("%d %" PRIu32 " %s %" PRIu64 "\n", loaded.number, s.seed, kv_format_keys(r.keys()).c_str(), r.ticks);
    std::printf("title: %s\n", title_of(loaded).c_str());
    std::printf("decisions: %zu\n", r.decisions.size());
    std::printf("ticks: %" PRIu64 "\n", r.ticks);
    std::printf("expanded: %" PRIu64 " decisions, %" PRIu64 " states, %.1f s\n", r.expanded, r.states, r.seconds);
    std::printf("memory: %.0f bytes a stored state, %.1f MiB at most\n",
                r.states ? double(r.state_bytes) / double(r.states) : 0.0, double(r.peak_memory) / 1048576.0);
    std::printf("exhaustive: %s (no win within %s)\n", r.shortest ? "yes, none shorter" : "no",
                no_win_text(r).c_str());
    std::printf("not walking: %d (", not_walking(a));
    for (int k = 1; k < KIND_COUNT; ++k) std::printf("%s%s %d", k > 1 ? ", " : "", kind_name(Kind(k)), a.kinds[k]);
    std::printf(")\n");
    print_walk(stdout, a.walk);
    std::printf("luck: %s, won with %zu of %zu seeds\n", a.lost_seeds.empty() ? "no" : "depends on luck",
                a.won_seeds.size(), a.won_seeds.size() + a.lost_seeds.size());
    std::printf("seeds won: %s\n", seed_list(a.won_seeds).c_str());
    std::printf("seeds lost: %s\n", seed_list(a.lost_seeds).c_str());
}

// The level's line of --all and of the stats files.
void print_line(const KV_LoadedLevel& loaded, const Analysis& a) {
    std::printf("%d", loaded.number);
    if (!a.error.empty()) {
        std::printf(" solved=error error=\"%s\"\n", a.error.c_str());
        return;
    }
    const Result& r = a.found;
    const char* solved = r.outcome == Outcome::Solved ? "yes" : r.outcome == Outcome::Unwinnable ? "no" : "unknown";
    std::printf(" solved=%s", solved);
    if (r.outcome == Outcome::Solved) {
        std::printf(" decisions=%zu ticks=%" PRIu64 " shortest=%s not_walking=%d", r.decisions.size(), r.ticks,
                    r.shortest ? "yes" : "no", not_walking(a));
        for (int k = 1; k < KIND_COUNT; ++k) std::printf(" %s=%d", kind_name(Kind(k)), a.kinds[k]);
    }
    std::printf(" no_win_within=%s expanded=%" PRIu64 " walk_only=%s",
                r.no_win_within == UINT32_MAX ? "all" : std::to_string(r.no_win_within).c_str(), r.expanded,
                walk_only_text(a.walk).c_str());
    if (r.outcome == Outcome::Solved)
        std::printf(" luck=%s seeds=%zu/%zu", a.lost_seeds.empty() ? "no" : "yes", a.won_seeds.size(),
                    a.won_seeds.size() + a.lost_seeds.size());
    std::printf(" title=\"%s\"\n", title_of(loaded).c_str());
}

bool parse_options(const std::vector<std::string>& args, size_t from, Settings& s) {
    Options& o = s.options;
    for (size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) return false;
        const std::string& v = args[++i];
        uint64_t n = 0;
        if (a == "--seed" && kv_parse_number(v, UINT32_MAX, n))
            s.seed = uint32_t(n);
        else if (a == "--luck-seeds" && kv_parse_number(v, 100000, n))
            s.luck_seeds = n;
        else if (a == "--max-decisions" && kv_parse_number(v, UINT64_MAX / 2, n) && n > 0)
            o.max_decisions = n;
        else if (a == "--walk-decisions" && kv_parse_number(v, UINT64_MAX / 2, n) && n > 0)
            s.walk_decisions = n;
        else if (a == "--max-seconds" && kv_parse_number(v, 1000000, n) && n > 0)
            o.max_seconds = double(n);
        else if (a == "--max-memory" && kv_parse_number(v, 1 << 24, n) && n > 0)
            o.max_memory = n << 20;
        else if (a == "--threads" && kv_parse_number(v, 256, n))
            o.threads = n ? int(n) : int(std::max(1u, std::thread::hardware_concurrency()));
        else if (a == "--search" && (v == "auto" || v == "breadth" || v == "guided"))
            o.search = v == "auto" ? Search::Auto : v == "breadth" ? Search::Breadth : Search::Guided;
        else if (a == "--save-demo" && s.demo_path.empty() && !v.empty())
            s.demo_path = v;
        else
            return false;
    }
    return true;
}

int solve_one(KV_LoadedLevel& loaded, const Settings& s) {
    const Analysis a = analyse(loaded, s);
    if (!a.error.empty()) {
        std::fprintf(stderr, "%s\n", a.error.c_str());
        return 2;
    }
    const Result& r = a.found;
    if (r.outcome == Outcome::Unwinnable) {
        std::fprintf(stderr, "no solution: none of the %" PRIu64 " states Pellik can reach wins\n", r.states);
        return 1;
    }
    if (r.outcome == Outcome::OutOfBudget) {
        std::fprintf(stderr, "no solution within %" PRIu64 " decisions (the %s budget is spent; none within %s)\n",
                     r.expanded, r.spent.c_str(), no_win_text(r).c_str());
        print_walk(stderr, a.walk);  // the baseline still tells whether the level is a walk
        return 3;
    }
    print_one(loaded, s, a);
    if (!s.demo_path.empty()) {
        KV_KeyStream stream;
        for (const Decision& d : r.decisions)
            for (uint32_t t = 0; t < d.ticks; ++t) stream.record(uint32_t(d.mask));
        std::string error;
        if (!kv_save_demo(loaded, stream, s.seed, s.demo_path, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2) return usage();
    Settings s;
    if (!parse_options(args, 2, s)) return usage();
    const bool all = args[1] == "--all";
    uint64_t number = 0;
    if (!all && !kv_parse_number(args[1], INT32_MAX, number)) return usage();
    if (all && !s.demo_path.empty()) return usage();

    KV_LoadedLevel loaded;
    std::string error;
    try {
        if (!kv_open_set(args[0], loaded, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
        if (!all) {
            if (!kv_pick_level(loaded, number, error)) {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 2;
            }
            return solve_one(loaded, s);
        }
        for (int i = 0; i < loaded.set->GetCount(); ++i) {
            if (!kv_pick_level(loaded, uint64_t(i), error)) {
                std::printf("%d solved=error error=\"%s\"\n", i, error.c_str());
                continue;
            }
            print_line(loaded, analyse(loaded, s));
            std::fflush(stdout);
        }
    } catch (const CL_Error& e) {
        std::fprintf(stderr, "%s: the game stopped: %s\n", args[0].c_str(), e.message.c_str());
        return 2;
    }
    return 0;
}
