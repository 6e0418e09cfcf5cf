// What lies between two nodes of a line: objects with one job each
// (friction, contraction and expansion; later bends, transitions and
// structures), each the head it loses from the upstream node to the
// downstream one, and the terms it was made of, so that the results and a
// report show every term with its numbers.
#pragma once

#include <memory>
#include <vector>

#include "calc/line/hydraulics.h"
#include "calc/toolkit/catalog.h"

namespace channelflow::calc {

struct LossTerm {
  QuantityId id;
  Real value;
};

struct Loss {
  QuantityId id;  // the loss itself ("hf")
  Real value;
  std::vector<LossTerm> terms;  // what it was made of, the loss last
};

class Link {
 public:
  virtual ~Link() = default;
  // The head lost from `up` to `down`, in doubles for a solver's first
  // iterations and in Reals for the answer.
  virtual double loss(const Hydraulics<double>& up, const Hydraulics<double>& down) const = 0;
  virtual Real loss(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const = 0;
  virtual Loss explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const = 0;
};

// A link whose loss is written once, as Derived::lossOf<Number>.
template <class Derived>
class LinkOf : public Link {
 public:
  double loss(const Hydraulics<double>& up, const Hydraulics<double>& down) const final {
    return static_cast<const Derived&>(*this).lossOf(up, down);
  }
  Real loss(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const final {
    return static_cast<const Derived&>(*this).lossOf(up, down);
  }
};

// The links between node k and node k + 1 of a line.
using Links = std::vector<std::unique_ptr<const Link>>;

}  // namespace channelflow::calc
