#pragma once
// Pictures that several generators show (a scene in its own file, in the
// back picture and in the review pictures) are painted once per run and
// shared from here.

#include <map>

template <typename Key, typename Value, typename Paint>
const Value& paintedOnce(std::map<Key, Value>& cache, const Key& key, Paint paint) {
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.emplace(key, paint()).first;
    return it->second;
}
