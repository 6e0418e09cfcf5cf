"""What one click of the calculator shows, computed without the program.

Every number is an exact rational (an integer ratio or a fractions.Fraction)
until a step of the calculation rounds it, once, to the nearest double: the readings of the five
boxes, each of the eight steps of the flow formula, the square roots and the
power R^e. The 15-digit text form rounds the exact binary value of a double.
Nothing here uses the machine's floating-point operations to compute a result;
Python floats only carry doubles that were rounded here.

click_line(line) turns one input line of `channelflow-cli click` into the line
the program must write.
"""

from fractions import Fraction
import math
import sys

import mpmath

# Texts of any length are numbers: lift Python's cap on digits per integer.
if hasattr(sys, "set_int_max_str_digits"):
    sys.set_int_max_str_digits(0)

# The runtime error numbers a click can raise.
INVALID_ARGUMENT = 5
OVERFLOW = 6
DIVISION_BY_ZERO = 11
NOT_A_NUMBER = 13

BLANKS = " \t\n\r"
DIGITS = "0123456789"

# Beyond these decimal exponents of the first significant digit a text is
# surely too large for a double, or surely rounds to zero; between them the
# exact value is rounded.
SURELY_OVERFLOWS = 309
SURELY_ZERO = -326


class ClickError(Exception):
    def __init__(self, number):
        super().__init__(number)
        self.number = number


# ---------------------------------------------------------------- rounding

def round_ratio(num, den, negative=False, negative_zero=False):
    """The double nearest (-1 if negative) * num / den for integers num >= 0
    and den > 0, ties to even; subnormals included. Raises OVERFLOW when it
    rounds beyond the largest double. Zero is -0.0 when `negative_zero`."""
    if num == 0:
        return -0.0 if negative_zero else 0.0
    # 2^e <= num / den < 2^(e+1)
    e = num.bit_length() - den.bit_length()
    if (num << -e if e < 0 else num) < (den << e if e > 0 else den):
        e -= 1
    q = e - 52 if e > -1022 else -1074  # the exponent of one unit in the last place
    if q >= 0:
        units, remainder = divmod(num, den << q)
        twice, half = 2 * remainder, den << q
    else:
        units, remainder = divmod(num << -q, den)
        twice, half = 2 * remainder, den
    if twice > half or (twice == half and units & 1):
        units += 1
    if units.bit_length() + q > 1024:
        raise ClickError(OVERFLOW)
    magnitude = math.ldexp(float(units), q)  # units <= 2^53: exact
    return -magnitude if negative else magnitude


def round_to_double(exact, negative_zero=False):
    """The double nearest the rational `exact` (see round_ratio)."""
    return round_ratio(abs(exact.numerator), exact.denominator, exact < 0, negative_zero)


def is_negative(x):
    return math.copysign(1.0, x) < 0


# Each operation takes the exact value of its operands (integer ratios with a
# power-of-two denominator) and rounds the exact result once.

def add(a, b):
    na, da = a.as_integer_ratio()
    nb, db = b.as_integer_ratio()
    num = na * db + nb * da
    return round_ratio(abs(num), da * db, num < 0, negative_zero=is_negative(a) and is_negative(b))


def multiply(a, b):
    na, da = a.as_integer_ratio()
    nb, db = b.as_integer_ratio()
    num = na * nb
    return round_ratio(abs(num), da * db, num < 0, negative_zero=is_negative(a) != is_negative(b))


def divide(a, b):
    if b == 0:
        raise ClickError(DIVISION_BY_ZERO)
    na, da = a.as_integer_ratio()
    nb, db = b.as_integer_ratio()
    num, den = na * db, da * nb
    return round_ratio(abs(num), abs(den), (num < 0) != (den < 0),
                       negative_zero=is_negative(a) != is_negative(b))


def square_root(x):
    """Correctly rounded square root of a double x >= 0."""
    if x < 0:
        raise ClickError(INVALID_ARGUMENT)
    if x == 0:
        return x
    exact = Fraction(x)
    num, den = exact.numerator, exact.denominator  # den is a power of two
    scale = -(den.bit_length() - 1)
    # num * 2^scale with an even scale and at least 120 bits in num, so the
    # integer root carries at least 60 bits and no rounding boundary of a
    # double lies strictly between it and the next integer.
    shift = max(0, 120 - num.bit_length())
    if (scale - shift) % 2:
        shift += 1
    num <<= shift
    scale -= shift
    root = math.isqrt(num)
    if root * root == num:
        value = Fraction(root)
    else:
        value = Fraction(2 * root + 1, 2)  # strictly inside (root, root + 1)
    half = scale // 2
    value = value * (1 << half) if half >= 0 else value / (1 << -half)
    return round_to_double(value)


def _mpf_to_fraction(y):
    sign, man, exp, _ = y._mpf_
    value = Fraction(man) * (1 << exp) if exp >= 0 else Fraction(man, 1 << -exp)
    return -value if sign else value


def power(base, exponent):
    """base^exponent correctly rounded, for the fractional exponent of the flow
    formula: raised precision until the bounds of the result round alike."""
    if base < 0 and exponent != math.trunc(exponent):
        raise ClickError(INVALID_ARGUMENT)
    if base == 0 and exponent < 0:
        raise ClickError(DIVISION_BY_ZERO)
    if base == 0:
        return 0.0
    if base == 1 or exponent == 0:
        return 1.0
    precision = 96
    while precision <= 1 << 16:
        with mpmath.workprec(precision):
            approximation = _mpf_to_fraction(mpmath.power(mpmath.mpf(base), mpmath.mpf(exponent)))
        # Far wider than the library's error at this precision.
        error = abs(approximation) / (1 << (precision - 24))
        low = round_to_double(approximation - error)
        high = round_to_double(approximation + error)
        if low == high:
            return low
        precision *= 2
    raise RuntimeError(f"power({base!r}, {exponent!r}) could not be rounded")


# ---------------------------------------------------------------- reading

def _scan_number(text, strict):
    """Reads an optional sign, digits with an optional point and fraction and
    an optional exponent at the start of `text`. Returns (value, end) or None
    when no digit starts the number; in `strict` mode an exponent letter
    without digits makes it no number."""
    k, size = 0, len(text)
    negative = False
    if k < size and text[k] in "+-":
        negative = text[k] == "-"
        k += 1
    start = k
    while k < size and text[k] in DIGITS:
        k += 1
    integer_digits = text[start:k]
    fraction_digits = ""
    if k < size and text[k] == ".":
        k += 1
        fraction_start = k
        while k < size and text[k] in DIGITS:
            k += 1
        fraction_digits = text[fraction_start:k]
    if not integer_digits and not fraction_digits:
        return None
    exponent = 0
    if k < size and text[k] in "eE":
        q = k + 1
        exponent_negative = False
        if q < size and text[q] in "+-":
            exponent_negative = text[q] == "-"
            q += 1
        exponent_start = q
        while q < size and text[q] in DIGITS:
            q += 1
        if q > exponent_start:
            exponent = int(text[exponent_start:q])
            if exponent_negative:
                exponent = -exponent
            k = q
        elif strict:
            return None
    return _decimal_to_double(negative, integer_digits + fraction_digits, len(fraction_digits), exponent), k


def _decimal_to_double(negative, digits, fraction_count, exponent):
    significant = digits.lstrip("0")
    if not significant:
        return -0.0 if negative else 0.0
    # the first significant digit stands at 10^leading
    leading = len(significant) - fraction_count - 1 + exponent
    if leading >= SURELY_OVERFLOWS:
        raise ClickError(OVERFLOW)
    if leading <= SURELY_ZERO:
        return -0.0 if negative else 0.0
    power_of_ten = exponent - fraction_count
    value = Fraction(int(significant))
    value = value * 10**power_of_ten if power_of_ten >= 0 else value / 10**-power_of_ten
    return round_to_double(-value if negative else value, negative_zero=negative)


def read_lenient(text):
    """B, h, i and m: blanks skipped wherever they stand, the number that
    starts what remains, 0 when none does."""
    squeezed = "".join(c for c in text if c not in BLANKS)
    scanned = _scan_number(squeezed, strict=False)
    return 0.0 if scanned is None else scanned[0]


def convert_strict(text):
    """n: the whole text, blanks around it aside, must be one number."""
    trimmed = text.strip(BLANKS)
    scanned = _scan_number(trimmed, strict=True) if trimmed else None
    if scanned is None or scanned[1] != len(trimmed):
        raise ClickError(NOT_A_NUMBER)
    return scanned[0]


# ---------------------------------------------------------------- text form

def format_double(x):
    """At most 15 significant digits rounded half to even from the exact
    value; plain notation for decimal exponents -5..14, else 1.5E+15."""
    if x == 0:
        return "0"
    sign = "-" if x < 0 else ""
    num, den = abs(x).as_integer_ratio()
    # With the digit counts of num and den, 10^(k-1) < |x| < 10^(k+1).
    k = len(str(num)) - len(str(den))
    if num * 10 ** max(0, -k) < den * 10 ** max(0, k):
        k -= 1
    # |x| / 10^(k-14), rounded half to even to an integer of 15 digits
    shift = k - 14
    scaled_num, scaled_den = (num, den * 10**shift) if shift >= 0 else (num * 10**-shift, den)
    units, remainder = divmod(scaled_num, scaled_den)
    if 2 * remainder > scaled_den or (2 * remainder == scaled_den and units & 1):
        units += 1
    if units == 10**15:
        units, k = 10**14, k + 1
    digits = str(units).rstrip("0")
    if -5 <= k <= 14:
        if k < 0:
            return sign + "0." + "0" * (-k - 1) + digits
        if len(digits) <= k + 1:
            return sign + digits + "0" * (k + 1 - len(digits))
        return sign + digits[: k + 1] + "." + digits[k + 1:]
    mantissa = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
    return f"{sign}{mantissa}E{'-' if k < 0 else '+'}{abs(k):02d}"


# ---------------------------------------------------------------- the click

SIXTH = round_to_double(Fraction(1, 6))  # step 5: the double quotient 1.0 / 6.0


def compute_channel_flow(B, h, m, i, n_text):
    """The eight steps in order; the first failing one raises its error."""
    A = multiply(add(B, multiply(m, h)), h)
    s = square_root(add(1.0, multiply(m, m)))
    P = add(B, multiply(multiply(2.0, h), s))
    R = divide(A, P)
    C = divide(power(R, SIXTH), convert_strict(n_text))
    v = multiply(C, square_root(abs(multiply(R, i))))
    Q = multiply(v, A)
    return v, Q


def click(texts):
    """The output line for the five box texts B, h, m, i, n."""
    B_text, h_text, m_text, i_text, n_text = texts
    try:
        B = read_lenient(B_text)
        h = read_lenient(h_text)
        i = read_lenient(i_text)
        m = read_lenient(m_text)
        v, Q = compute_channel_flow(B, h, m, i, n_text)
        return format_double(v) + "\t" + format_double(Q)
    except ClickError as error:
        return f"error {error.number}"


ESCAPES = {"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}


def unescape(field):
    if "\\" not in field:
        return field
    out, k = [], 0
    while k < len(field):
        c = field[k]
        if c == "\\" and k + 1 < len(field) and field[k + 1] in ESCAPES:
            out.append(ESCAPES[field[k + 1]])
            k += 2
        else:
            out.append(c)
            k += 1
    return "".join(out)


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")


def click_line(line):
    """The output line for one input line (without its line feed)."""
    if line.endswith("\r"):
        line = line[:-1]
    fields = line.split("\t")
    if len(fields) != 5:
        return "error fields"
    return click([unescape(field) for field in fields])
