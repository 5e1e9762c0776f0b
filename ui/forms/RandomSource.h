#pragma once

#include <memory>

namespace forms {

// The program's pseudo-random sequence: numbers in [0, 1). Never seeded by the program.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual double Next() = 0;
};

RandomSource& Random();
// Puts a source in place (tests feed their own); none brings back the process-wide one.
void SetRandomSource(std::shared_ptr<RandomSource> source);

}  // namespace forms
