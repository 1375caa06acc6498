// Fixed-size, bounds-checked component array: the base of every vector and colour in the engine.
// Errors are thrown as plain message strings.
#pragma once

namespace VORN_LIB {

template <typename T, unsigned N> class Vector {
public:
    Vector() : values() {} // every component zero (value-initialised)
    Vector(const Vector& other) { copyFrom(other); }
    Vector& operator=(const Vector& other) {
        if (this != &other)
            copyFrom(other);
        return *this;
    }

    // Checked element access; an index of N or more throws "Vector::operator[]: bad index".
    T& operator[](unsigned index) {
        if (index >= N)
            throw "Vector::operator[]: bad index";
        return values[index];
    }
    const T& operator[](unsigned index) const {
        if (index >= N)
            throw "Vector::operator[]: bad index";
        return values[index];
    }

    Vector& operator+=(const Vector& other) {
        for (unsigned i = 0; i < N; ++i)
            (*this)[i] += other[i];
        return *this;
    }
    Vector& operator-=(const Vector& other) {
        for (unsigned i = 0; i < N; ++i)
            (*this)[i] -= other[i];
        return *this;
    }

    // The components as a contiguous array, for handing to OpenGL.
    const T* data() const { return values; }
    T* data() { return values; }

    static constexpr unsigned size() { return N; }

private:
    void copyFrom(const Vector& other) {
        for (unsigned i = 0; i < N; ++i)
            (*this)[i] = other[i];
    }

    T values[N];
};

// The four-float colour of materials and lights: every component, alpha included, is scaled.
inline Vector<float, 4> operator*(const Vector<float, 4>& v, float s) {
    Vector<float, 4> result(v);
    for (unsigned i = 0; i < 4; ++i)
        result[i] *= s;
    return result;
}

// Builds a four-float colour from its components.
inline Vector<float, 4> floatColor(float r, float g, float b, float a) {
    Vector<float, 4> c;
    c[0] = r;
    c[1] = g;
    c[2] = b;
    c[3] = a;
    return c;
}

} // namespace VORN_LIB
