#include "platform/windows/automation/VariantConversion.h"

#include <string>

#include "host/ChannelFailures.h"
#include "platform/windows/automation/ComText.h"

namespace korrin {
namespace {

using host::DispatchArray;
using host::DispatchValue;
using host::ObjectReference;

struct VariantFiller {
  ObjectMapping& objects;
  VARIANT& variant;

  Status operator()(std::monostate) const {
    variant.vt = VT_EMPTY;
    return {};
  }
  Status operator()(bool value) const {
    variant.vt = VT_BOOL;
    variant.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return {};
  }
  Status operator()(std::int16_t value) const {
    variant.vt = VT_I2;
    variant.iVal = value;
    return {};
  }
  Status operator()(std::int32_t value) const {
    variant.vt = VT_I4;
    variant.lVal = value;
    return {};
  }
  Status operator()(double value) const {
    variant.vt = VT_R8;
    variant.dblVal = value;
    return {};
  }
  Status operator()(const std::string& value) const {
    BSTR text = NewBstr(value);
    if (text == nullptr) return FailureOf(E_OUTOFMEMORY);
    variant.vt = VT_BSTR;
    variant.bstrVal = text;
    return {};
  }
  Status operator()(ObjectReference value) const {
    IDispatch* object = objects.DispatchOf(value);
    if (object == nullptr) return host::ObjectDisconnected();
    object->AddRef();
    variant.vt = VT_DISPATCH;
    variant.pdispVal = object;
    return {};
  }
  Status operator()(const DispatchArray& values) const {
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(values.size()));
    if (array == nullptr) return FailureOf(E_OUTOFMEMORY);
    for (LONG index = 0; index < static_cast<LONG>(values.size()); ++index) {
      VARIANT element;
      ::VariantInit(&element);
      Status filled = ToVariant(values[static_cast<std::size_t>(index)], objects, element);
      if (filled) {
        const HRESULT put = ::SafeArrayPutElement(array, &index, &element);
        if (FAILED(put)) filled = FailureOf(put);
      }
      ::VariantClear(&element);
      if (!filled) {
        ::SafeArrayDestroy(array);
        return filled;
      }
    }
    variant.vt = VT_ARRAY | VT_VARIANT;
    variant.parray = array;
    return {};
  }
};

Result<DispatchValue> FromArray(SAFEARRAY* array, VARTYPE elementType, ObjectMapping& objects) {
  if (array == nullptr) return DispatchValue(DispatchArray{});
  if (::SafeArrayGetDim(array) != 1) return host::TypeMismatch("an array of more than one dimension");
  LONG lower = 0;
  LONG upper = -1;
  ::SafeArrayGetLBound(array, 1, &lower);
  ::SafeArrayGetUBound(array, 1, &upper);
  DispatchArray values;
  for (LONG index = lower; index <= upper; ++index) {
    VARIANT element;
    ::VariantInit(&element);
    HRESULT got = S_OK;
    if (elementType == VT_VARIANT) {
      got = ::SafeArrayGetElement(array, &index, &element);
    } else {
      // The element lands in the variant's union, whose fields all start at
      // the same place, so the variant then reads as one of that type.
      got = ::SafeArrayGetElement(array, &index, &element.lVal);
      if (SUCCEEDED(got)) element.vt = elementType;
    }
    if (FAILED(got)) return FailureOf(got);
    Result<DispatchValue> value = FromVariant(element, objects);
    ::VariantClear(&element);
    if (!value) return value.failure();
    values.push_back(std::move(value).value());
  }
  return DispatchValue(std::move(values));
}

bool IsPlainArrayType(VARTYPE type) {
  switch (type) {
    case VT_VARIANT: case VT_I2: case VT_I4: case VT_R8: case VT_BSTR: case VT_BOOL: case VT_DISPATCH:
    case VT_UI1: case VT_I1: case VT_UI2: case VT_R4:
      return true;
    default:
      return false;
  }
}

Result<DispatchValue> FromObject(IUnknown* unknown, ObjectMapping& objects) {
  if (unknown == nullptr) return DispatchValue();
  IDispatch* object = nullptr;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object)))) {
    return host::TypeMismatch("an object without automation");
  }
  Result<ObjectReference> reference = objects.ReferenceOf(object);
  object->Release();
  if (!reference) return reference.failure();
  return DispatchValue(reference.value());
}

}  // namespace

Status ToVariant(const DispatchValue& value, ObjectMapping& objects, VARIANT& variant) {
  return std::visit(VariantFiller{objects, variant}, value.storage);
}

Result<DispatchValue> FromVariant(const VARIANT& variant, ObjectMapping& objects) {
  if ((variant.vt & VT_BYREF) != 0) {
    const VARTYPE type = variant.vt & ~VT_BYREF;
    if (type == VT_VARIANT) return FromVariant(*variant.pvarVal, objects);
    if ((type & VT_ARRAY) != 0) return FromArray(*variant.pparray, type & ~VT_ARRAY, objects);
    VARIANT target;
    ::VariantInit(&target);
    target.vt = type;
    switch (type) {
      case VT_BOOL: target.boolVal = *variant.pboolVal; break;
      case VT_I2: target.iVal = *variant.piVal; break;
      case VT_I4: target.lVal = *variant.plVal; break;
      case VT_R8: target.dblVal = *variant.pdblVal; break;
      case VT_BSTR: target.bstrVal = *variant.pbstrVal; break;
      case VT_DISPATCH: target.pdispVal = *variant.ppdispVal; break;
      case VT_UNKNOWN: target.punkVal = *variant.ppunkVal; break;
      default: return host::TypeMismatch("a reference to a value of variant type " + std::to_string(type));
    }
    // Borrowed, not cleared: the caller owns what the reference points at.
    return FromVariant(target, objects);
  }
  if ((variant.vt & VT_ARRAY) != 0) {
    const VARTYPE element = variant.vt & ~VT_ARRAY;
    if (!IsPlainArrayType(element)) return host::TypeMismatch("an array of variant type " + std::to_string(element));
    return FromArray(variant.parray, element, objects);
  }
  switch (variant.vt) {
    case VT_EMPTY: case VT_NULL: return DispatchValue();
    case VT_ERROR:
      // An optional argument left out.
      if (variant.scode == DISP_E_PARAMNOTFOUND) return DispatchValue();
      return host::TypeMismatch("an error value");
    case VT_BOOL: return DispatchValue(variant.boolVal != VARIANT_FALSE);
    case VT_I1: return DispatchValue(static_cast<std::int16_t>(variant.cVal));
    case VT_UI1: return DispatchValue(static_cast<std::int16_t>(variant.bVal));
    case VT_I2: return DispatchValue(static_cast<std::int16_t>(variant.iVal));
    case VT_UI2: return DispatchValue(static_cast<std::int32_t>(variant.uiVal));
    case VT_I4: return DispatchValue(static_cast<std::int32_t>(variant.lVal));
    case VT_INT: return DispatchValue(static_cast<std::int32_t>(variant.intVal));
    case VT_R4: return DispatchValue(static_cast<double>(variant.fltVal));
    case VT_R8: return DispatchValue(variant.dblVal);
    case VT_BSTR: return DispatchValue(Utf8FromBstr(variant.bstrVal));
    case VT_DISPATCH: return FromObject(variant.pdispVal, objects);
    case VT_UNKNOWN: return FromObject(variant.punkVal, objects);
    default: return host::TypeMismatch("a value of variant type " + std::to_string(variant.vt));
  }
}

}  // namespace korrin
