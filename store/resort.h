// Re-sorting a database after its sort keys or name options changed.
#ifndef CARTULAN_STORE_RESORT_H
#define CARTULAN_STORE_RESORT_H

class Database;

// Moves the references of `database`, in their old order, into a new list ordered by its
// current keys, resolving the duplicates the new order makes (a reference left out is
// destroyed unless the bibliography holds it); then shows all lines again. Progress goes to
// the store's UI every 64 references as the percentage (i x 100) / (n - 1). Returns 0 when
// memory ran out (nothing changed), else 1 (also when there was nothing to sort).
int ResortDatabase(Database& database);

#endif
