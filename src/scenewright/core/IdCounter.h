#pragma once

namespace scenewright::core {

// Hands out the numbers of generated variable names (modelobj12,
// synchtrigger3, ...). A program has one, which New and Open leave as it is,
// so that no number is handed out twice in a run: the application owns it
// and passes it to the documents, the project reader and the command-line
// tools; tests make their own.
class IdCounter {
public:
    // The largest number the counter hands out.
    static constexpr int kLastId = 2147483646;
    // How many numbers the catalogue of interaction kinds takes on first use.
    static constexpr int kCatalogueNumbers = 10;

    // The counter's current value; the counter then moves on. Once kLastId
    // is handed out, it throws IdsExhausted.
    int next();
    // The value next() would hand out (kLastId + 1 once none is left).
    int peek() const { return next_; }
    // Whether next() can still hand out `count` numbers.
    bool hasLeft(long long count) const;
    // Moves the counter so that it hands out nothing below `id` (never back).
    void advanceTo(int id);

    // Earlier versions numbered the prototypes of the interaction catalogue
    // from this counter the first time a step needed the catalogue. Such a
    // step still moves the counter past those numbers, once a run, so that
    // the same steps in a fresh program give the same generated names as
    // they always did.
    void passCatalogueNumbers();

private:
    int next_ = 0;
    bool cataloguePassed_ = false;
};

} // namespace scenewright::core
