#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

namespace Tarn
{
	// A list of (receiver, member operation) pairs, called in order of subscription.
	// A subscriber removes its own pair, usually in its Shutdown. Handlers may
	// subscribe or unsubscribe while the list is being raised: a removed pair is not
	// called any more, an added one is called in the same raise.
	template <typename... Args>
	class Event
	{
	public:
		template <typename Receiver>
		void Subscribe( Receiver* receiver, void ( Receiver::*operation )( Args... ) )
		{
			mHandlers.push_back( MakeHandler( receiver, operation ) );
		}

		template <typename Receiver>
		void Unsubscribe( Receiver* receiver, void ( Receiver::*operation )( Args... ) )
		{
			const Handler wanted = MakeHandler( receiver, operation );
			for ( size_t i = 0; i < mHandlers.size(); ++i )
			{
				if ( mHandlers[i].Matches( wanted ) )
				{
					RemoveAt( i );
					return;
				}
			}
		}

		template <typename Receiver>
		bool IsSubscribed( Receiver* receiver, void ( Receiver::*operation )( Args... ) ) const
		{
			const Handler wanted = MakeHandler( receiver, operation );
			for ( const Handler& handler : mHandlers )
				if ( handler.mReceiver && handler.Matches( wanted ) )
					return true;
			return false;
		}

		void Raise( Args... args )
		{
			++mRaising;
			for ( size_t i = 0; i < mHandlers.size(); ++i )
			{
				const Handler handler = mHandlers[i];
				if ( handler.mReceiver )
					handler.mCall( handler.mReceiver, handler.mOperation.data(), args... );
			}
			if ( --mRaising == 0 && mHasHoles )
				Compact();
		}

		size_t Count() const
		{
			size_t count = 0;
			for ( const Handler& handler : mHandlers )
				count += handler.mReceiver != nullptr;
			return count;
		}

		bool Empty() const { return Count() == 0; }

	private:
		static constexpr size_t kOperationSize = 2 * sizeof( void* ) + sizeof( std::ptrdiff_t );

		struct Handler
		{
			void* mReceiver = nullptr;
			void ( *mCall )( void*, const char*, Args... ) = nullptr;
			std::array<char, kOperationSize> mOperation{};

			bool Matches( const Handler& other ) const
			{
				return mReceiver == other.mReceiver && mCall == other.mCall && mOperation == other.mOperation;
			}
		};

		template <typename Receiver>
		static Handler MakeHandler( Receiver* receiver, void ( Receiver::*operation )( Args... ) )
		{
			using Operation = void ( Receiver::* )( Args... );
			static_assert( sizeof( Operation ) <= kOperationSize, "member operation too large" );
			Handler handler;
			handler.mReceiver = receiver;
			std::memcpy( handler.mOperation.data(), &operation, sizeof( Operation ) );
			handler.mCall = []( void* target, const char* stored, Args... args ) {
				Operation op;
				std::memcpy( &op, stored, sizeof( Operation ) );
				( static_cast<Receiver*>( target )->*op )( args... );
			};
			return handler;
		}

		void RemoveAt( size_t index )
		{
			if ( mRaising > 0 )
			{
				mHandlers[index].mReceiver = nullptr;
				mHasHoles = true;
			}
			else
				mHandlers.erase( mHandlers.begin() + static_cast<std::ptrdiff_t>( index ) );
		}

		void Compact()
		{
			std::erase_if( mHandlers, []( const Handler& handler ) { return handler.mReceiver == nullptr; } );
			mHasHoles = false;
		}

		std::vector<Handler> mHandlers;
		int mRaising = 0;
		bool mHasHoles = false;
	};
}
