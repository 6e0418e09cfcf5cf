"""Checks the click oracle's own arithmetic against Python's exact integer
division and the host's IEEE operations, so a fault in the oracle cannot pass
for a fault in the program."""

from fractions import Fraction
import math
import random
import unittest

import mpmath

import click_oracle as oracle


def random_double(rng):
    """Doubles across the whole range: subnormals, huge ones, both signs."""
    kind = rng.randrange(4)
    if kind == 0:
        bits = rng.getrandbits(63)
        value = math.ldexp(float(bits & ((1 << 52) - 1) | (1 << 52)), ((bits >> 52) % 2046) - 1074 - 51)
    elif kind == 1:
        value = math.ldexp(float(rng.getrandbits(52)), -1074)  # subnormal
    else:
        value = rng.uniform(-1000, 1000)
    return -value if rng.random() < 0.5 else value


def expect_error(number, compute):
    try:
        compute()
    except oracle.ClickError as error:
        return error.number == number
    return False


class Rounding(unittest.TestCase):
    def test_rationals_round_as_exact_integer_division(self):
        rng = random.Random(1)
        for _ in range(20000):
            num = rng.getrandbits(rng.randint(1, 1200)) * rng.choice([-1, 1])
            den = rng.getrandbits(rng.randint(1, 1200)) or 1
            try:
                want = num / den  # correctly rounded by Python
            except OverflowError:
                self.assertTrue(expect_error(oracle.OVERFLOW, lambda: oracle.round_to_double(Fraction(num, den))))
                continue
            self.assertEqual(oracle.round_to_double(Fraction(num, den)), want, (num, den))

    def test_operations_match_ieee(self):
        rng = random.Random(2)
        operations = [(oracle.add, lambda a, b: a + b), (oracle.multiply, lambda a, b: a * b),
                      (oracle.divide, lambda a, b: a / b)]
        for _ in range(30000):
            a, b = random_double(rng), random_double(rng)
            for mine, ieee in operations:
                want = ieee(a, b)
                if math.isinf(want):
                    self.assertTrue(expect_error(oracle.OVERFLOW, lambda: mine(a, b)), (a, b))
                else:
                    got = mine(a, b)
                    self.assertEqual((got, math.copysign(1, got)), (want, math.copysign(1, want)), (mine, a, b))
            self.assertEqual(oracle.square_root(abs(a)), math.sqrt(abs(a)), a)

    def test_signed_zeros_and_zero_divisor(self):
        self.assertEqual(math.copysign(1, oracle.add(-0.0, -0.0)), -1)
        self.assertEqual(math.copysign(1, oracle.add(-0.0, 0.0)), 1)
        self.assertEqual(math.copysign(1, oracle.multiply(-0.0, 5.0)), -1)
        self.assertTrue(expect_error(oracle.DIVISION_BY_ZERO, lambda: oracle.divide(0.0, -0.0)))

    def test_power_is_correctly_rounded(self):
        rng = random.Random(3)
        for _ in range(3000):
            base = abs(random_double(rng)) or 1e-300
            with mpmath.workprec(2000):
                exact = oracle._mpf_to_fraction(mpmath.power(mpmath.mpf(base), mpmath.mpf(oracle.SIXTH)))
            self.assertEqual(oracle.power(base, oracle.SIXTH), oracle.round_to_double(exact), base)
        self.assertEqual(oracle.power(0.0, oracle.SIXTH), 0.0)
        self.assertEqual(oracle.power(1.0, oracle.SIXTH), 1.0)
        self.assertTrue(expect_error(oracle.INVALID_ARGUMENT, lambda: oracle.power(-1.0, oracle.SIXTH)))


class Reading(unittest.TestCase):
    def test_plain_decimals_read_as_python_does(self):
        rng = random.Random(4)
        for _ in range(20000):
            digits = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 40)))
            point = rng.randint(0, len(digits))
            text = f"{digits[:point]}.{digits[point:]}e{rng.randint(-340, 320)}"
            try:
                want = float(text)
            except OverflowError:
                want = math.inf
            if math.isinf(want):
                self.assertTrue(expect_error(oracle.OVERFLOW, lambda: oracle.convert_strict(text)), text)
            else:
                self.assertEqual(oracle.convert_strict(text), want, text)
                self.assertEqual(oracle.read_lenient(text), want, text)

    def test_lenient_and_strict_rules(self):
        rows = [  # text, lenient, strict (a number or an error number)
            ("2.5m", 2.5, 13), ("1 5", 15.0, 13), ("", 0.0, 13), (" 0.025\t", 0.025, 0.025),
            ("1e", 1.0, 13), ("1e+", 1.0, 13), ("1e5.3", 1e5, 13), ("--1", 0.0, 13), ("- 2", -2.0, 13),
            (".5", 0.5, 0.5), ("5.", 5.0, 5.0), (".", 0.0, 13), ("+.025", 0.025, 0.025), ("0x10", 0.0, 13),
            ("inf", 0.0, 13), ("1,5", 1.0, 13), ("1e400", 6, 6), ("1e-400", 0.0, 0.0), ("1 e 3", 1000.0, 13),
            ("2.5E-2", 0.025, 0.025), ("1e99999999999", 6, 6), ("1e-99999999999", 0.0, 0.0),
            ("0.025" + "0" * 6000 + "1", 0.025, 0.025), ("1e" + "9" * 6000, 6, 6), ("1" * 6000, 6, 6),
        ]
        for text, lenient, strict in rows:
            for reader, want in [(oracle.read_lenient, lenient), (oracle.convert_strict, strict)]:
                if isinstance(want, int):
                    self.assertTrue(expect_error(want, lambda: reader(text)), (reader, text))
                else:
                    self.assertEqual(reader(text), want, (reader, text))


class TextForm(unittest.TestCase):
    def test_fifteen_digits_as_python_rounds_them(self):
        rng = random.Random(5)
        for _ in range(30000):
            x = random_double(rng)
            if x == 0:
                continue
            mantissa, exponent = f"{abs(x):.14e}".split("e")
            digits, k = mantissa.replace(".", "").rstrip("0"), int(exponent)
            got = oracle.format_double(x).lstrip("-")
            if -5 <= k <= 14:
                self.assertEqual(Fraction(got), Fraction(f"{digits[0]}.{digits[1:]}e{k}"), x)
                self.assertNotIn("E", got)
            else:
                self.assertEqual(got, f"{digits[0]}{'.' + digits[1:] if len(digits) > 1 else ''}E{k:+03d}", x)

    def test_notation_switch(self):
        rows = [(1e15, "1E+15"), (999999999999999.4, "999999999999999"), (1e-5, "0.00001"),
                (9.999999999999996e-6, "0.00001"), (9.99999999999994e-6, "9.99999999999994E-06"),
                (-2.5e-7, "-2.5E-07"), (1.5e300, "1.5E+300"), (5e-324, "4.94065645841247E-324"),
                (0.1, "0.1"), (-0.0, "0"), (123456789012345.67, "123456789012346")]
        for x, text in rows:
            self.assertEqual(oracle.format_double(x), text, x)


class Click(unittest.TestCase):
    def test_worked_examples(self):
        rows = [
            ("2\t1\t1\t0.001\t0.025", "0.921022784049301\t2.7630683521479"),
            ("2\t1\t1\t-0.001\t0.025", "0.921022784049301\t2.7630683521479"),
            ("2m\t1 m\t1\t0.001\t0.025\r", "0.921022784049301\t2.7630683521479"),
            ("\t\t\t\tabc", "error 11"), ("-1\t1\t0\t0.001\tabc", "error 5"), ("2\t1\t1\t0.001\t", "error 13"),
            ("2\t1\t1\t0.001\t0", "error 11"), ("2\t1\t1\t0.001\t1e-320", "error 6"), ("2\t0\t1\t0.001\t0.025", "0\t0"),
            ("2\t1\t1\t0.001\t0.0\\t25", "error 13"), ("2\t1\t1\t0.001\t\\t0.025\\r\\n", "0.921022784049301\t2.7630683521479"),
            ("2\\\\\t1\t1\t0.001\t0.025", "0.921022784049301\t2.7630683521479"),
            ("2\t1\t1\t0.001", "error fields"), ("", "error fields"), ("2\t1\t1\t0.001\t0.025\t", "error fields"),
        ]
        for line, want in rows:
            self.assertEqual(oracle.click_line(line), want, line)


if __name__ == "__main__":
    unittest.main()
