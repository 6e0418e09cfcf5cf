#include "calc/click/channel_flow.h"

namespace channelflow::calc {

using numeric::Value;

ChannelResults ComputeChannelFlow(const ChannelInputs& inputs) {
  const Value B = inputs.B;
  const Value h = inputs.h;
  const Value i = inputs.i;
  const Value m = inputs.m;
  const Value one = std::int16_t{1};
  const Value two = std::int16_t{2};

  // 1. Flow area A = (B + m*h) * h.
  const Value A = multiply(add(B, multiply(m, h)), h);
  // 2. Side factor s = sqrt(1 + m*m): each wall is sqrt(1 + m^2) times the depth.
  const Value s = numeric::squareRoot(add(one, multiply(m, m)).toDouble());
  // 3. Wetted perimeter P = B + (2*h)*s.
  const Value P = add(B, multiply(multiply(two, h), s));
  // 4. Hydraulic radius; fails on P = 0, the state of empty boxes.
  const Value R = divide(A, P);
  // 5. Manning's exponent, the double nearest one sixth.
  const double sixth = 1.0;
  const Value e = sixth / 6.0;
  // 6. C = R^e / n. The power comes first, so a negative R is reported before
  //    n is even fetched; n's text is read and converted by the division.
  const Value C = divide(power(R, e), Value(*inputs.nText));
  // 7. v = C * sqrt(|R*i|): a negative slope gives the same velocity.
  const Value v = multiply(C, numeric::squareRoot(absoluteValue(multiply(R, i)).toDouble()));
  // 8. Q = v * A on plain doubles, checked like the rest.
  const double velocity = v.toDouble();
  const double Q = numeric::checkedResult(velocity * A.toDouble());
  return ChannelResults{velocity, Q};
}

}  // namespace channelflow::calc
