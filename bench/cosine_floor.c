/* The floor of the efficiency calculator's summation: its 1800 cosine
 * evaluations alone, at the same angles (sample x 3.14 / 3600, rounded to
 * double), with nothing else around them. The benchmark counts the
 * instructions of sumCosines. Built with: gcc -O2 cosine_floor.c -lm
 * -Wl,-z,now (cosl bound at start-up, so its binding is not counted). */
#include <math.h>
#include <stdio.h>

enum { kSampleCount = 1800 };

static double angles[kSampleCount];

__attribute__((noinline)) static long double sumCosines(void) {
  long double sum = 0.0L;
  for (int sample = 0; sample < kSampleCount; ++sample) sum += cosl(angles[sample]);
  return sum;
}

int main(void) {
  for (int sample = 1; sample <= kSampleCount; ++sample) {
    angles[sample - 1] = (double)(sample * 3.14L / 3600.0L);
  }
  printf("%.6Lf\n", sumCosines());
  return 0;
}
