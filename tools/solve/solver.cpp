#include "solve/solver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <queue>
#include <thread>

#include "game/objects/interfaces.h"
#include "game/objects/pellik.h"
#include "game/play/play_host.h"
#include "solve/state.h"

namespace KV_Solve {
namespace {

using Clock = std::chrono::steady_clock;
using KV_Logic::Pellik::ConstView;
using S = KV_PellikState;
using T = KV_ObjectType;

// A decision that never gives Pellik back (a port whose far side stays
// blocked) ends here anyway.
constexpr uint32_t kMaxDecisionTicks = 4096;
// Fire alone: held until the disk is laid, given up past this.
constexpr uint32_t kLayGiveUp = KV_Logic::Pellik::kLayHoldTicks + 32;
constexpr uint32_t kNoParent = UINT32_MAX;

struct Choice {
    int32_t mask;
    uint32_t min_ticks;
    bool lay;     // fire alone, held until a red disk is laid
    bool action;  // an arrow: dropped when Pellik does nothing with it
};

std::vector<Choice> choices_of(const Options& o) {
    std::vector<Choice> out;
    const int32_t arrows[] = {DIR_LEFT, DIR_UP, DIR_RIGHT, DIR_DOWN};
    for (int32_t arrow : arrows) out.push_back({arrow, 1, false, true});
    if (o.walk_only) return out;
    for (int32_t arrow : arrows) out.push_back({arrow | int32_t(KEY_FIRE), 1, false, true});
    out.push_back({int32_t(KEY_FIRE), 1, true, false});
    for (uint32_t w : o.waits) out.push_back({0, w, false, false});
    return out;
}

const KV_Cell* pellik_cell(const KV_Level& level) {
    if (!level.get_has_player()) return nullptr;
    const int32_t px = level.get_player_x(), py = level.get_player_y();
    if (!level.inside(px, py)) return nullptr;
    const KV_Cell& c = level.at(KV_LAYER_MOVERS, px, py);
    return c.is(T::Pellik) ? &c : nullptr;
}

bool in_port(const KV_Level& level) {
    return KV_Interfaces::Port::is_port(level.at(KV_LAYER_FIXTURES, level.get_player_x(), level.get_player_y()).type);
}

// Pellik reads the next tick's keys: he stands ready, or his step, eating or
// push ends in the next tick's first pass and he is ready in its second
// (unless the step ends in a port, which carries him on first).
bool can_decide(const KV_Level& level) {
    const KV_Cell* c = pellik_cell(level);
    if (!c) return true;
    const ConstView p{*c};
    if (p.state() == S::Ready) return true;
    if (!p.in_any({S::Moving, S::Over_Eating, S::Pushing, S::Eating_In_Place})) return false;
    if (p.counter() != KV_Logic::Pellik::kStepTicks - 1) return false;
    return !(p.state() == S::Moving && in_port(level));
}

Kind kind_after_first_tick(const KV_Level& level) {
    const KV_Cell* c = pellik_cell(level);
    if (!c) return Kind::Walk;
    switch (ConstView{*c}.state()) {
        case S::Moving: return in_port(level) ? Kind::Port : Kind::Walk;
        case S::Leaning:
        case S::Pushing: return Kind::Push;
        case S::Eating_In_Place: return Kind::Eat;
        case S::Ready: return Kind::Use;
        default: return Kind::Walk;
    }
}

enum class Ran { Pruned, Lost, Won, Going };

struct RunOutcome {
    Ran ran;
    uint32_t ticks;
    Kind kind;
};

RunOutcome run_choice(Worker& w, const Choice& c) {
    KV_Level& level = w.level();
    KV_LevelStatus& st = *level.get_status();
    const int32_t red = st.get_red_disks();
    if (c.lay && red < 1) return {Ran::Pruned, 0, Kind::Lay};
    const int32_t moves = st.get_moves();
    Kind kind = c.lay ? Kind::Lay : c.action ? Kind::Walk : Kind::Wait;
    bool laid = false;
    for (uint32_t t = 1;; ++t) {
        *level.get_input() = c.mask;
        w.game().process();
        const KV_GameResult r = kv_game_result(&level);
        if (t == 1 && c.action) {
            if (r == GR_RUNNING && st.get_moves() == moves) return {Ran::Pruned, t, kind};
            kind = r == GR_FINISHED ? Kind::Walk : kind_after_first_tick(level);
        }
        if (r == GR_FINISHED) return {Ran::Won, t, kind};
        if (r != GR_RUNNING) return {Ran::Lost, t, kind};
        if (c.lay && !laid) {
            laid = st.get_red_disks() < red;
            if (!laid && t >= kLayGiveUp) return {Ran::Pruned, t, kind};
        }
        if ((t >= c.min_ticks && (!c.lay || laid) && can_decide(level)) || t >= kMaxDecisionTicks)
            return {Ran::Going, t, kind};
    }
}

// ---- how far Pellik still has to go, for the guided search ----

constexpr int32_t kBlocked = -1;

// Steps a cell costs on the way: free and eatable cells 1, what might be
// pushed, blasted or waited out more, hardware never. What a laid red disk
// is about to blast counts as free already, so laying one is progress.
int32_t cell_cost(const KV_Level& level, int32_t x, int32_t y, bool blasted) {
    const KV_Cell& fixture = level.at(KV_LAYER_FIXTURES, x, y);
    if (fixture.is(T::Hardware)) return kBlocked;
    if (blasted) return 1;
    int32_t cost = 1;
    const KV_Cell& mover = level.at(KV_LAYER_MOVERS, x, y);
    if (!mover.is(T::Empty) && !mover.is(T::Pellik) && !mover.is(T::Pellik_Move_Temp)) cost = 5;
    switch (level.at(KV_LAYER_ITEMS, x, y).object_type()) {
        case T::Empty: case T::Base: case T::Quarkel: case T::Exit: case T::Bug: case T::Disk_Red: break;
        case T::Invisible_Wall: return kBlocked;
        default: cost = 5;
    }
    return cost;
}

bool is_target(const KV_Level& level, int32_t x, int32_t y, bool quarkels) {
    const KV_Cell& item = level.at(KV_LAYER_ITEMS, x, y);
    return quarkels ? item.is(T::Quarkel) : item.is(T::Exit);
}

class WayFinder {
public:
    // The cheapest way from Pellik to the nearest target, by cell costs, with
    // a level's span added for every RAM chip on it beyond the red disks he
    // holds; four spans when no target is reachable.
    int32_t distance(const KV_Level& level, bool quarkels) {
        const int32_t w = level.get_width(), h = level.get_height();
        const int32_t span = w + h, unreachable = 4 * span;
        if (!level.get_has_player()) return unreachable;
        const size_t n = size_t(w) * size_t(h);
        dist_.assign(n, INT32_MAX);
        chips_.assign(n, 0);
        for (auto& b : buckets_) b.clear();
        // The cells round each laid red disk.
        blasted_.assign(n, 0);
        const KV_Cell* fixtures = level.layer_data(KV_LAYER_FIXTURES);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                if (!fixtures[level.index(x, y)].is(T::Disk_Red)) continue;
                for (int32_t by = std::max(0, y - 1); by <= std::min(h - 1, y + 1); ++by)
                    for (int32_t bx = std::max(0, x - 1); bx <= std::min(w - 1, x + 1); ++bx)
                        blasted_[size_t(by * w + bx)] = 1;
            }
        const int32_t held = const_cast<KV_Level&>(level).get_status()->get_red_disks();
        const int32_t sx = level.get_player_x(), sy = level.get_player_y();
        dist_[size_t(sy * w + sx)] = 0;
        buckets_[0].push_back(sy * w + sx);
        size_t pending = 1;
        for (int32_t d = 0; pending > 0; ++d) {
            std::vector<int32_t>& bucket = buckets_[size_t(d) % kBuckets];
            for (size_t k = 0; k < bucket.size(); ++k) {
                const int32_t at = bucket[k];
                --pending;
                if (dist_[size_t(at)] != d) continue;
                const int32_t x = at % w, y = at / w;
                if (d > 0 && is_target(level, x, y, quarkels)) {
                    for (auto& b : buckets_) b.clear();
                    return d + span * std::max(0, chips_[size_t(at)] - held);
                }
                static constexpr int32_t dx[4] = {-1, 1, 0, 0}, dy[4] = {0, 0, -1, 1};
                for (int i = 0; i < 4; ++i) {
                    const int32_t nx = x + dx[i], ny = y + dy[i];
                    if (!level.inside(nx, ny)) continue;
                    const size_t ni = size_t(ny * w + nx);
                    const bool blasted = blasted_[ni] != 0;
                    const int32_t c = cell_cost(level, nx, ny, blasted);
                    if (c == kBlocked) continue;
                    if (dist_[ni] <= d + c) continue;
                    dist_[ni] = d + c;
                    chips_[ni] = chips_[size_t(at)] + (!blasted && level.at(KV_LAYER_ITEMS, nx, ny).is(T::RAM));
                    buckets_[size_t(d + c) % kBuckets].push_back(int32_t(ni));
                    ++pending;
                }
            }
            bucket.clear();
        }
        return unreachable;
    }

private:
    static constexpr size_t kBuckets = 8;
    std::vector<int32_t> dist_;
    std::vector<int32_t> chips_;  // RAM chips on the way so far
    std::vector<uint8_t> blasted_;
    std::vector<int32_t> buckets_[kBuckets];
};

// The way still to go: every quarkel still needed weighs a level's span, then
// the way to the nearest one, or to the exit once enough are collected.
int32_t remaining(const KV_Level& level, WayFinder& way) {
    const KV_LevelStatus& st = *const_cast<KV_Level&>(level).get_status();
    const int32_t missing = std::max(0, st.get_quarkels_needed() - st.get_quarkels());
    const int32_t span = level.get_width() + level.get_height();
    if (missing > 0) return missing * span + way.distance(level, true);
    return way.distance(level, false);
}

// What a decision costs the guided search. Eating base in place changes the
// field at the price of one decision and no step, so every pattern of eaten
// cells along a way would look nearly as good as the way itself: it costs more.
int32_t guided_cost(Kind kind) { return kind == Kind::Eat ? 4 : 1; }

// ---- the stores ----

// Hashes of the states met; 0 stands for an empty slot.
class SeenSet {
public:
    SeenSet() { slots_.assign(1 << 16, 0); }
    // True when the hash was new.
    bool insert(uint64_t h) {
        if (h == 0) h = 1;
        if ((count_ + 1) * 2 > slots_.size()) grow();
        const size_t mask = slots_.size() - 1;
        for (size_t i = size_t(h) & mask;; i = (i + 1) & mask) {
            if (slots_[i] == h) return false;
            if (slots_[i] == 0) {
                slots_[i] = h;
                ++count_;
                return true;
            }
        }
    }
    size_t size() const { return count_; }
    uint64_t bytes() const { return slots_.size() * sizeof(uint64_t); }

private:
    void grow() {
        std::vector<uint64_t> old(slots_.size() * 2, 0);
        old.swap(slots_);
        const size_t mask = slots_.size() - 1;
        for (uint64_t h : old) {
            if (h == 0) continue;
            size_t i = size_t(h) & mask;
            while (slots_[i] != 0) i = (i + 1) & mask;
            slots_[i] = h;
        }
    }
    std::vector<uint64_t> slots_;
    size_t count_ = 0;
};

struct Node {
    uint32_t parent;
    uint32_t ticks;
    uint8_t mask;
    Kind kind;
};

// Where a stored state's bytes lie.
struct Stored {
    uint32_t node;
    uint64_t offset;
    uint32_t size;
};

// One child as a thread found it, merged afterwards in the parents' order.
struct Child {
    uint32_t parent;
    uint32_t ticks;
    uint8_t mask;
    Kind kind;
    Ran ran;
    uint64_t hash;
    uint64_t offset;  // into the thread's bytes
    uint32_t size;
    int32_t rest;  // the way still to go (guided search)
};

struct Batch {
    std::vector<Child> children;
    std::vector<uint8_t> bytes;
    void clear() {
        children.clear();
        bytes.clear();
    }
};

// Threads that run one job at a time over the items 0..n-1.
class Pool {
public:
    explicit Pool(int threads) {
        for (int i = 1; i < threads; ++i) threads_.emplace_back([this, i] { loop(i); });
    }
    ~Pool() {
        {
            std::lock_guard<std::mutex> lock(m_);
            stop_ = true;
            ++generation_;
        }
        wake_.notify_all();
        for (std::thread& t : threads_) t.join();
    }
    int size() const { return int(threads_.size()) + 1; }

    // fn(item, thread index); every item once.
    void run(size_t n, const std::function<void(size_t, int)>& fn) {
        {
            std::lock_guard<std::mutex> lock(m_);
            job_ = &fn;
            items_ = n;
            next_.store(0);
            busy_ = int(threads_.size());
            ++generation_;
        }
        wake_.notify_all();
        work(0);
        std::unique_lock<std::mutex> lock(m_);
        done_.wait(lock, [this] { return busy_ == 0; });
        job_ = nullptr;
    }

private:
    void work(int index) {
        for (size_t i; (i = next_.fetch_add(1)) < items_;) (*job_)(i, index);
    }
    void loop(int index) {
        uint64_t seen = 0;
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(m_);
                wake_.wait(lock, [&] { return generation_ != seen; });
                seen = generation_;
                if (stop_) return;
            }
            work(index);
            {
                std::lock_guard<std::mutex> lock(m_);
                if (--busy_ == 0) done_.notify_all();
            }
        }
    }

    std::vector<std::thread> threads_;
    std::mutex m_;
    std::condition_variable wake_, done_;
    const std::function<void(size_t, int)>* job_ = nullptr;
    size_t items_ = 0;
    std::atomic<size_t> next_{0};
    int busy_ = 0;
    uint64_t generation_ = 0;
    bool stop_ = false;
};

class Search_ {
public:
    Search_(const FieldMaker& make_field, const Options& o)
        : options_(o), choices_(choices_of(o)), start_(make_field()), pool_(std::max(1, o.threads)) {
        for (int i = 0; i < pool_.size(); ++i) {
            workers_.emplace_back(new Worker(start_, make_field()));
            ways_.emplace_back(new WayFinder());
            batches_.emplace_back(new Batch());
        }
        began_ = Clock::now();
    }

    Result breadth_first(uint64_t decision_budget, uint64_t layer_cap);
    Result guided(uint64_t decision_budget);

private:
    // Runs every choice from one stored state into the thread's batch.
    void expand(const uint8_t* data, uint32_t size, uint32_t node, int thread, bool guided);
    // True (and why in r.spent) when a budget is spent.
    bool spent(Result& r, uint64_t decision_budget, uint64_t memory);
    void finish(Result& r, uint32_t won_parent, const Child& won);
    uint64_t memory() const;

    const Options& options_;
    std::vector<Choice> choices_;
    StartField start_;
    Pool pool_;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::vector<std::unique_ptr<WayFinder>> ways_;
    std::vector<std::unique_ptr<Batch>> batches_;
    std::vector<Node> nodes_;
    SeenSet seen_;
    uint64_t expanded_ = 0;
    uint64_t state_bytes_ = 0;
    uint64_t peak_ = 0;
    Clock::time_point began_;
};

void Search_::expand(const uint8_t* data, uint32_t size, uint32_t node, int thread, bool guided) {
    Worker& w = *workers_[size_t(thread)];
    Batch& b = *batches_[size_t(thread)];
    std::vector<uint8_t> scratch;
    for (const Choice& c : choices_) {
        w.restore(data, size);
        const RunOutcome out = run_choice(w, c);
        Child ch{node, out.ticks, uint8_t(c.mask), out.kind, out.ran, 0, b.bytes.size(), 0, 0};
        if (options_.walk_only && out.ran != Ran::Pruned && out.kind != Kind::Walk) ch.ran = Ran::Pruned;
        if (ch.ran == Ran::Going) {
            w.encode(b.bytes);
            ch.size = uint32_t(b.bytes.size() - ch.offset);
            ch.hash = state_hash(b.bytes.data() + ch.offset, ch.size);
            if (guided) ch.rest = remaining(w.level(), *ways_[size_t(thread)]);
        } else {
            // Keeps the worker's list of changed cells true for the next restore.
            scratch.clear();
            w.encode(scratch);
        }
        if (ch.ran != Ran::Pruned) b.children.push_back(ch);
    }
}

uint64_t Search_::memory() const {
    uint64_t m = nodes_.capacity() * sizeof(Node) + seen_.bytes();
    for (const auto& b : batches_) m += b->bytes.capacity() + b->children.capacity() * sizeof(Child);
    return m;
}

bool Search_::spent(Result& r, uint64_t decision_budget, uint64_t memory) {
    peak_ = std::max(peak_, memory);
    const double secs = std::chrono::duration<double>(Clock::now() - began_).count();
    if (expanded_ >= decision_budget) r.spent = "decisions";
    else if (secs >= options_.max_seconds) r.spent = "seconds";
    else if (memory >= options_.max_memory) r.spent = "memory";
    else return false;
    return true;
}

void Search_::finish(Result& r, uint32_t won_parent, const Child& won) {
    r.outcome = Outcome::Solved;
    r.decisions.push_back({won.mask, won.ticks, won.kind});
    for (uint32_t n = won_parent; n != kNoParent && nodes_[n].parent != kNoParent; n = nodes_[n].parent)
        r.decisions.push_back({nodes_[n].mask, nodes_[n].ticks, nodes_[n].kind});
    std::reverse(r.decisions.begin(), r.decisions.end());
    for (const Decision& d : r.decisions) r.ticks += d.ticks;
}

Result Search_::breadth_first(uint64_t decision_budget, uint64_t layer_cap) {
    Result r;
    std::vector<uint8_t> layer_bytes, next_bytes;
    std::vector<Stored> layer, next;
    {
        Worker& w = *workers_[0];
        w.encode(layer_bytes);
        seen_.insert(state_hash(layer_bytes.data(), layer_bytes.size()));
        nodes_.push_back({kNoParent, 0, 0, Kind::Walk});
        layer.push_back({0, 0, uint32_t(layer_bytes.size())});
        state_bytes_ += layer_bytes.size();
    }
    for (uint32_t depth = 0; !layer.empty(); ++depth) {
        for (auto& b : batches_) b->clear();
        // Parents in order, children kept by parent so the merge follows the layer.
        std::vector<std::vector<Child>> by_parent(layer.size());
        std::vector<std::vector<uint8_t>> bytes_of(layer.size());
        pool_.run(layer.size(), [&](size_t i, int thread) {
            Batch& b = *batches_[size_t(thread)];
            const size_t first = b.children.size(), from = b.bytes.size();
            expand(layer_bytes.data() + layer[i].offset, layer[i].size, layer[i].node, thread, false);
            by_parent[i].assign(b.children.begin() + long(first), b.children.end());
            bytes_of[i].assign(b.bytes.begin() + long(from), b.bytes.end());
            for (Child& c : by_parent[i]) c.offset -= from;
            b.children.resize(first);
            b.bytes.resize(from);
        });
        const Child* best = nullptr;
        next.clear();
        next_bytes.clear();
        for (size_t i = 0; i < layer.size(); ++i) {
            for (const Child& c : by_parent[i]) {
                ++expanded_;
                if (c.ran == Ran::Won) {
                    if (!best || c.ticks < best->ticks) best = &c;
                    continue;
                }
                if (c.ran != Ran::Going || !seen_.insert(c.hash)) continue;
                nodes_.push_back({c.parent, c.ticks, c.mask, c.kind});
                next.push_back({uint32_t(nodes_.size() - 1), next_bytes.size(), c.size});
                next_bytes.insert(next_bytes.end(), bytes_of[i].begin() + long(c.offset),
                                  bytes_of[i].begin() + long(c.offset + c.size));
                state_bytes_ += c.size;
            }
        }
        // Pruned choices count as run too: they cost a tick.
        for (size_t i = 0; i < layer.size(); ++i) expanded_ += choices_.size() - by_parent[i].size();
        if (best) {
            r.no_win_within = depth;
            r.shortest = true;
            finish(r, best->parent, *best);
            break;
        }
        r.no_win_within = depth + 1;
        layer.swap(next);
        layer_bytes.swap(next_bytes);
        const uint64_t mem = memory() + layer_bytes.capacity() + next_bytes.capacity() +
                             (layer.capacity() + next.capacity()) * sizeof(Stored);
        if (layer.empty()) {
            r.outcome = Outcome::Unwinnable;
            r.no_win_within = UINT32_MAX;
            break;
        }
        if (spent(r, decision_budget, mem)) break;
        if (layer.size() > layer_cap) {
            r.spent = "layer";
            break;
        }
    }
    r.expanded = expanded_;
    r.states = seen_.size();
    r.state_bytes = state_bytes_;
    r.peak_memory = peak_;
    r.seconds = std::chrono::duration<double>(Clock::now() - began_).count();
    return r;
}

Result Search_::guided(uint64_t decision_budget) {
    Result r;
    struct Open {
        int64_t f;
        int32_t g;
        uint64_t order;
        Stored at;
        bool operator<(const Open& o) const {
            if (f != o.f) return f > o.f;
            if (g != o.g) return g < o.g;  // deeper first among equals
            return order > o.order;
        }
    };
    std::priority_queue<Open> open;
    std::vector<uint8_t> store;
    std::vector<int32_t> depth_of;
    uint64_t order = 0;
    {
        Worker& w = *workers_[0];
        w.encode(store);
        seen_.insert(state_hash(store.data(), store.size()));
        nodes_.push_back({kNoParent, 0, 0, Kind::Walk});
        depth_of.push_back(0);
        open.push({0, 0, order++, {0, 0, uint32_t(store.size())}});
        state_bytes_ += store.size();
    }
    const size_t batch = 16;
    std::vector<Open> taken;
    std::vector<Batch> results(batch);
    while (!open.empty()) {
        taken.clear();
        while (!open.empty() && taken.size() < batch) {
            taken.push_back(open.top());
            open.pop();
        }
        for (Batch& b : results) b.clear();
        pool_.run(taken.size(), [&](size_t i, int thread) {
            Batch& b = *batches_[size_t(thread)];
            b.clear();
            expand(store.data() + taken[i].at.offset, taken[i].at.size, taken[i].at.node, thread, true);
            std::swap(results[i], b);
        });
        const Child* best = nullptr;
        size_t best_i = 0;
        for (size_t i = 0; i < taken.size(); ++i) {
            expanded_ += choices_.size() - results[i].children.size();
            for (const Child& c : results[i].children) {
                ++expanded_;
                if (c.ran == Ran::Won) {
                    if (!best || c.ticks < best->ticks) best = &c, best_i = i;
                    continue;
                }
                if (c.ran != Ran::Going || !seen_.insert(c.hash)) continue;
                const int32_t g = depth_of[c.parent] + guided_cost(c.kind);
                nodes_.push_back({c.parent, c.ticks, c.mask, c.kind});
                depth_of.push_back(g);
                const uint64_t offset = store.size();
                store.insert(store.end(), results[i].bytes.begin() + long(c.offset),
                             results[i].bytes.begin() + long(c.offset + c.size));
                state_bytes_ += c.size;
                open.push({int64_t(g) + int64_t(options_.weight) * c.rest, g, order++,
                           {uint32_t(nodes_.size() - 1), offset, c.size}});
            }
        }
        if (best) {
            (void)best_i;
            finish(r, best->parent, *best);
            break;
        }
        if (open.empty()) {
            r.outcome = Outcome::Unwinnable;
            r.no_win_within = UINT32_MAX;
            break;
        }
        const uint64_t mem = memory() + store.capacity() + depth_of.capacity() * sizeof(int32_t) +
                             open.size() * sizeof(Open);
        if (spent(r, decision_budget, mem)) break;
    }
    r.expanded = expanded_;
    r.states = seen_.size();
    r.state_bytes = state_bytes_;
    r.peak_memory = peak_;
    r.seconds = std::chrono::duration<double>(Clock::now() - began_).count();
    return r;
}

}  // namespace

const char* kind_name(Kind kind) {
    static const char* const names[KIND_COUNT] = {"walk", "push", "port", "use", "eat", "lay", "wait"};
    return names[int(kind)];
}

std::vector<KV_KeyRun> Result::keys() const {
    std::vector<KV_KeyRun> out;
    for (const Decision& d : decisions) {
        if (!out.empty() && out.back().mask == d.mask)
            out.back().count += d.ticks;
        else
            out.push_back({d.mask, d.ticks});
    }
    return out;
}

Result solve(const FieldMaker& make_field, const Options& options) {
    if (options.search == Search::Guided) return Search_(make_field, options).guided(options.max_decisions);
    if (options.search == Search::Breadth)
        return Search_(make_field, options).breadth_first(options.max_decisions, UINT64_MAX);
    // Breadth-first while it fits: a quarter of the decisions, layers of a
    // bounded size; then the guided search from the start with the rest.
    Result first = Search_(make_field, options).breadth_first(options.max_decisions / 4, 200000);
    if (first.outcome != Outcome::OutOfBudget || first.spent == "seconds" || first.spent == "memory") return first;
    Options rest = options;
    rest.max_seconds = std::max(0.0, options.max_seconds - first.seconds);
    const uint64_t left = options.max_decisions > first.expanded ? options.max_decisions - first.expanded : 0;
    Result second = Search_(make_field, rest).guided(left);
    second.no_win_within = first.no_win_within;
    second.expanded += first.expanded;
    second.states += first.states;
    second.state_bytes += first.state_bytes;
    second.peak_memory = std::max(second.peak_memory, first.peak_memory);
    second.seconds += first.seconds;
    if (second.outcome == Outcome::Unwinnable) second.no_win_within = UINT32_MAX;
    return second;
}

uint64_t winning_tick(const std::shared_ptr<KV_Level>& field, const std::vector<KV_KeyRun>& keys) {
    if (!field) return 0;
    KV_Game game;
    game.set_level(field);
    KV_KeyScript script(keys);
    const uint64_t ticks = kv_key_ticks(keys);
    for (uint64_t t = 1; t <= ticks; ++t) {
        *field->get_input() = script.next();
        game.process();
        const KV_GameResult r = kv_game_result(field.get());
        if (r == GR_FINISHED) return t;
        if (r != GR_RUNNING) return 0;
    }
    return 0;
}

}  // namespace KV_Solve
