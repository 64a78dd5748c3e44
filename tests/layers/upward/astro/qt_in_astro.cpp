// A Qt header in a computation folder, refused by the layer check.
#include <QString>
