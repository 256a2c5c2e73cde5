// The common base of the objects the store creates on the heap and frees through a base
// pointer: references and databases. Collections destroy their items through
// the virtual destructor.
#ifndef CARTULAN_STORE_STORE_OBJECT_H
#define CARTULAN_STORE_STORE_OBJECT_H

class StoreObject {
public:
    StoreObject() = default;
    StoreObject(const StoreObject&) = delete;
    StoreObject& operator=(const StoreObject&) = delete;
    virtual ~StoreObject() = default;
};

#endif
