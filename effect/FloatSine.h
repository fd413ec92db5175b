// The sine of the LFO as a float, without the library's full double sine for
// most arguments.
#pragma once

// static_cast<float>(std::sin(x)), bit for bit, for every x. Between 0 and 2π a
// short polynomial answers whenever its result lies clearly inside the rounding
// interval of one float; near an interval's edge, near zero and outside that
// range the library's sine does. The Windows C library's sine takes several
// times as long as the polynomial.
float floatSine(double x);
