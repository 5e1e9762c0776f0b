#include "ui/forms/RandomSource.h"

#include <random>

namespace forms {

namespace {

// One generator for the whole process, on its default (fixed) seed, as the classic
// runtime's sequence is until someone seeds it.
class ProcessRandom : public RandomSource {
  public:
    double Next() override { return distribution_(generator_); }

  private:
    std::mt19937 generator_;
    std::uniform_real_distribution<double> distribution_{0.0, 1.0};
};

std::shared_ptr<RandomSource>& Slot() {
    static std::shared_ptr<RandomSource> source = std::make_shared<ProcessRandom>();
    return source;
}

}  // namespace

RandomSource& Random() {
    return *Slot();
}

void SetRandomSource(std::shared_ptr<RandomSource> source) {
    Slot() = source ? std::move(source) : std::make_shared<ProcessRandom>();
}

}  // namespace forms
