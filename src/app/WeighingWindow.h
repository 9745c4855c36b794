#pragma once

// Lets the date dialog's OK open the weighing window on the chosen date and shift.
void wireWeighingWindow();
