#pragma once
// The evaluator's exception family. Callers that only need to know that
// evaluation failed catch EvalException; those that want the records catch
// the chained form for expressions or for definitions.
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "calculator/evaluator/errors.h"

namespace lirvan::eval {

class EvalException : public std::exception {
 public:
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 protected:
  explicit EvalException(std::string message) : message_(std::move(message)) {}

 private:
  std::string message_;
};

// Carries every error record found by one operation, first found first.
template <typename Data>
class EvalChainedExceptions : public EvalException {
 public:
  explicit EvalChainedExceptions(std::vector<Data> records)
      : EvalChainedExceptions(NonEmpty(std::move(records)), 0) {}
  explicit EvalChainedExceptions(Data record)
      : EvalChainedExceptions(std::vector<Data>{std::move(record)}) {}

  // Never empty: an empty chain is given one default ("unknown") record.
  const std::vector<Data>& Records() const noexcept { return records_; }
  const Data& First() const noexcept { return records_.front(); }

 private:
  EvalChainedExceptions(std::vector<Data>&& records, int)
      : EvalException(JoinMessages(records)), records_(std::move(records)) {}

  static std::vector<Data> NonEmpty(std::vector<Data> records) {
    if (records.empty()) records.emplace_back();
    return records;
  }

  static std::string JoinMessages(const std::vector<Data>& records) {
    std::string text;
    for (const Data& record : records) {
      if (!text.empty()) text += '\n';
      text += record.Message();
    }
    return text;
  }

  std::vector<Data> records_;
};

using ParsingErrors = EvalChainedExceptions<ParsingErrorData>;
using DefinitionErrors = EvalChainedExceptions<DefinitionErrorData>;

}  // namespace lirvan::eval
