// Several numeric keys of one object's sheet (bools read 1 or 0, absent keys
// 0), in the order asked, to compare in one expectation.
#pragma once

#include <initializer_list>
#include <vector>

#include "host/Properties.h"

using Numbers = std::vector<double>;

template <class T>
Numbers Values(const boost::shared_ptr<T>& object, std::initializer_list<EPropertyId> keys) {
  Numbers values;
  for (EPropertyId key : keys)
    values.push_back(GetDouble(boost::shared_ptr<IInterface>(object), key));
  return values;
}
